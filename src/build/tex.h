#pragma once

#include <optional>
#include <string>
#include <vector>

#include "build/build_summary.h"
#include "settings/setting_table.h"
#include "texsource/engine.h"

class BuildHost;

// The build object: the current file, the parent file of its document, and the steps of the
// tool chain run on them. It runs children, shows messages and sets the title through its host.
// Settings are read at the moment each step needs them.
class TeX {
 public:
  // The steps of Convert, by the kind of file they take one stage further.
  enum Step { kNoStep = 0, kTeX2DVI = 1, kDVI2PS = 2, kDVI2PDF = 3, kPS2PDF = 4 };

  explicit TeX(BuildHost& host) : host_(host) {}

  // Fills the parent and current fields from the current file and the "WhichParent" setting,
  // and the document's engine and encoding from the parent's source.
  void ResolveParent();

  // Compiles the parent file: once, or (with "IsAnalyze") as often as the auxiliary files ask,
  // with BibTeX and MakeIndex, at most "MaxCompile" actions. False after a reported failure,
  // also when a tool failed or the actions ran out before the document settled. Once something
  // ran, closing lines tell what was made or which errors TeX's log holds (TeXClosingLines).
  bool TeX2DVI();
  // The step that takes a file one stage further: ".tex" 1, ".dvi" 3, ".ps" 4, else 0.
  static int FileKind(const std::string& file);
  // Runs a step; false for an unknown one.
  bool Convert(int step);
  // Whether an extension is one of the build's outputs (".dvi", ".ps", ".pdf", in any case).
  static bool IsOutputExtension(const std::string& extension);
  // Run the index and the bibliography processor (BibTeX, or Biber for biblatex) on the parent
  // path; true when the program started (the caller reads its exit code).
  bool MakeIndex(const std::string& path);
  bool BibTeX(const std::string& path);
  bool Biber(const std::string& path);
  // The converters; each ends with a closing line (MadeLine or ErrorsLine) once it ran.
  bool DVI2PS();
  bool DVI2PDF();
  bool PS2PDF();

  void PreviewDVI();
  void PreviewPS();
  void PreviewPDF();
  // Replaces %f %d %b %k (current file) and %F %D %B %K (parent file) and %%.
  std::string ExpandPlaceholders(const std::string& text) const;
  // Starts a viewer in the parent's directory, without pipes or waiting for its end. When it
  // cannot start, says so (and why) in a message with the caption.
  bool LaunchViewer(const std::string& command_line, const char* caption);
  // Opens the place a line of the pane names, "file:line: ..." (the file relative to the
  // parent's directory), in the editor of the "Editor" setting (EditorCommandLine), or with the
  // system's association when none is set; a failure is told in a message. False, with nothing
  // done, when the line names no existing file.
  bool OpenLocation(const std::string& text);

  std::string current_file;  // full path of the open file; empty when none is open

  std::string parent_base;  // parent directory + separator + stem; empty when none was found
  std::string parent_stem;
  std::string parent_extension;  // with its dot
  std::string parent_directory;  // without a trailing separator
  std::string class_options;
  std::string class_name;
  // What the parent's source says of the engine it is written for, and its encoding where pTeX
  // must be told it.
  DocumentEngine document_engine;
  const LegacyEncoding* source_encoding = nullptr;
  std::string current_base;
  std::string current_stem;
  std::string current_directory;
  std::string current_extension;

 private:
  void Message(const std::string& text, const char* caption = "Pressel2");
  // The checks every step starts with: a file is open and its parent known.
  bool HasParent();
  // The two halves of ResolveParent.
  void FindParent();
  void ReadDocumentEngine();
  // The source TeX compiles: the parent, or the .tex file of an output file's stem.
  std::string SourceFile() const;
  // The TeX program of a build: the document's engine, else the one the settings name ("" when
  // they name none).
  std::string TeXProgram() const;
  // " -kanji=..." for pTeX and its BibTeX on a source in a legacy encoding, unless the tool's
  // option setting tells an encoding itself; "" otherwise.
  std::string KanjiArgument(Setting option) const;
  // mendex's option for the source's encoding: -U for the engines that read UTF-8, -S, -E or -J
  // for pTeX on a legacy source; "" where the option setting tells one or the engine is unknown.
  std::string IndexArgument() const;
  // A line before the build when the engine or an option came from the document.
  void TellEngine();
  // The engine, when it writes the PDF itself and no DVI; "" otherwise.
  std::string PdfEngine() const;
  // The TeX command line for a file argument; false (with its message) without a program.
  bool TeXCommand(const std::string& file_argument, std::string& command);
  // Runs a child through the host and counts it for the step's closing line.
  bool Execute(const std::string& command_line, const std::string& directory);
  // TeX2DVI without the analysis: one run on the parent's stem. A failure of that run gives
  // its message in `failure`, for TeX2DVI to show after the closing lines.
  bool SimpleBuild(std::string& failure);
  // The analysing loop of TeX2DVI on a source (the parent, or the .tex file of an output file's
  // stem, which TeX is then given as the stem). False after a failure, also after a failed
  // MakeIndex or BibTeX or with "MaxCompile" reached, which it says in `notes`; a LaTeX run that
  // fails gives its message in `failure`, as SimpleBuild does.
  bool AnalysingBuild(const std::string& source, bool output_parent,
                      std::vector<std::string>& notes, std::string& failure);
  bool RunTool(std::optional<Setting> option, const std::string& program,
               const std::string& arguments, const std::string& path, const char* settings_message);
  // Runs a converter in the parent directory, which makes the file `made` there; reports a
  // failed start or exit code.
  bool RunConverter(const std::string& command, const std::string& made, const char* start_failure,
                    const char* exit_failure);
  // For a document whose engine makes no DVI, says that the `missing` file made from a DVI is
  // not there either, and where to look instead; false for any other document.
  bool TellNoDvi(const char* missing, const char* caption);
  // A viewer from its program and argument settings, started on the parent file.
  void Preview(Setting program, Setting argument, const char* caption);
  // The program, its `arguments` and the `option` setting (when there is one and it is set),
  // then each file as an operand the program cannot mistake (vklib::FileOperand). False, after a
  // message, when a file name cannot be handed to the program.
  bool ToolCommand(std::optional<Setting> option, const std::string& program,
                   const std::string& arguments, const std::vector<std::string>& files,
                   std::string& command);
  // By a "WhichProgram" setting: the first known program `first`, the user's own (`program`),
  // or else `otherwise`.
  static std::string ChosenProgram(Setting which, Setting program, const char* first,
                                   const char* otherwise);

  BuildHost& host_;
  StepTally tally_;  // of the step that runs
};
