#pragma once

#include <string>
#include <vector>

class BuildHost;

// The build object: the current file, the parent file of its document, and the steps of the
// tool chain run on them. It runs children, shows messages and sets the title through its host.
// Settings are read at the moment each step needs them.
class TeX {
 public:
  // The steps of Convert, by the kind of file they take one stage further.
  enum Step { kNoStep = 0, kTeX2DVI = 1, kDVI2PS = 2, kDVI2PDF = 3, kPS2PDF = 4 };

  explicit TeX(BuildHost& host) : host_(host) {}

  // Fills the parent and current fields from the current file and the "WhichParent" setting.
  void ResolveParent();

  // Compiles the parent file: once, or (with "IsAnalyze") as often as the auxiliary files ask,
  // with BibTeX and MakeIndex, at most "MaxCompile" actions. False after a reported failure.
  bool TeX2DVI();
  // The step that takes a file one stage further: ".tex" 1, ".dvi" 3, ".ps" 4, else 0.
  static int FileKind(const std::string& file);
  // Runs a step; false for an unknown one.
  bool Convert(int step);
  // Whether an extension is one of the build's outputs (".dvi", ".ps", ".pdf", in any case).
  static bool IsOutputExtension(const std::string& extension);
  // Run the index and the bibliography processor on the parent path; true when the program
  // started (the caller reads its exit code).
  bool MakeIndex(const std::string& path);
  bool BibTeX(const std::string& path);
  bool DVI2PS();
  bool DVI2PDF();
  bool PS2PDF();

  void PreviewDVI();
  void PreviewPS();
  void PreviewPDF();
  // Replaces %f %d %b %k (current file) and %F %D %B %K (parent file) and %%.
  std::string ExpandPlaceholders(const std::string& text) const;
  // Starts a viewer in the parent's directory, without pipes or waiting for its end.
  bool LaunchViewer(const std::string& command_line);

  std::string current_file;  // full path of the open file; empty when none is open

  std::string parent_base;  // parent directory + separator + stem; empty when none was found
  std::string parent_stem;
  std::string parent_extension;  // with its dot
  std::string parent_directory;  // without a trailing separator
  std::string class_options;
  std::string class_name;
  std::string current_base;
  std::string current_stem;
  std::string current_directory;
  std::string current_extension;

 private:
  void Message(const std::string& text, const char* caption = "Pressel2");
  // The checks every step starts with: a file is open and its parent known.
  bool HasParent();
  // The TeX command line for a file argument; false (with its message) without a program.
  bool TeXCommand(const std::string& file_argument, std::string& command);
  bool RunTool(const char* section, const std::string& program, const std::string& path,
               const char* settings_message);
  // Runs a converter in the parent directory and reports a failed start or exit code.
  bool RunConverter(const std::string& command, const char* start_failure,
                    const char* exit_failure);
  // A viewer from a section's "Program" and "Arg" settings, started on the parent file.
  void Preview(const char* section, const char* caption);
  // The program, its `arguments` and the section's "Option" (when set), then each file as an
  // operand the program cannot mistake (vklib::FileOperand). False, after a message, when a file
  // name cannot be handed to the program.
  bool ToolCommand(const char* section, const std::string& program, const std::string& arguments,
                   const std::vector<std::string>& files, std::string& command);
  // "WhichProgram" values: the first known program, and the user's own ("Program").
  static constexpr int kFirstProgram = 1;
  static constexpr int kUsersProgram = 3;
  // By "WhichProgram" of a section: 1 `first`, 3 the "Program" setting, else `otherwise`.
  static std::string ProgramChoice(const char* section, const char* first, const char* otherwise);

  BuildHost& host_;
};
