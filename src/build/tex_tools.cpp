#include "build/build_host.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "texsource/paths.h"
#include "vklib/command_line.h"
#include "vklib/file.h"

namespace {

// "pbibtex" when a directory of the PATH holds it, else "jbibtex".
std::string JapaneseBibTeX() {
  const std::string program = std::string("pbibtex") + vklib::kExecutableSuffix;
  for (const std::string& directory : vklib::SplitPathList(vklib::EnvironmentVariable("PATH"))) {
    if (!directory.empty() && vklib::FileExists(JoinPath(directory, program))) return "pbibtex";
  }
  return "jbibtex";
}

}  // namespace

std::string TeX::ProgramChoice(const char* section, const char* first, const char* otherwise) {
  switch (GetIniInt(section, "WhichProgram")) {
    case kFirstProgram:
      return first;
    case kUsersProgram:
      return GetIniString(section, "Program");
    default:
      return otherwise;
  }
}

bool TeX::ToolCommand(const char* section, const std::string& program, const std::string& arguments,
                      const std::vector<std::string>& files, std::string& command) {
  command = program + arguments;
  std::string option = GetIniString(section, "Option");
  if (!option.empty()) command += " " + option;
  for (const std::string& file : files) {
    std::string operand;
    if (!vklib::FileOperand(program, file, operand)) {
      Message(program + "はバッチファイルなので，%や!を含むファイル名" + file + "は渡せません．");
      return false;
    }
    command += " " + operand;
  }
  return true;
}

bool TeX::RunTool(const char* section, const std::string& program, const std::string& path,
                  const char* settings_message) {
  if (program.empty()) {
    Message(settings_message);
    return false;
  }
  // The stem alone, run in its directory: TeX Live's tools refuse to write beside an input
  // named by an absolute path.
  PathParts parts = SplitPath(path);
  std::string command;
  if (!ToolCommand(section, program, "", {parts.stem}, command)) return false;
  if (!host_.Execute(command, parts.directory)) {
    Message(command + "の実行に失敗．");
    return false;
  }
  return true;
}

bool TeX::MakeIndex(const std::string& path) {
  return RunTool("MakeIndex", ProgramChoice("MakeIndex", "makeindex", "mendex"), path,
                 "MakeIndexの設定がなされてません．");
}

bool TeX::BibTeX(const std::string& path) {
  // The Japanese BibTeX is looked for on the PATH only when it is the choice.
  std::string program = ProgramChoice("BibTeX", "bibtex", "");
  int which = GetIniInt("BibTeX", "WhichProgram");
  if (which != kFirstProgram && which != kUsersProgram) program = JapaneseBibTeX();
  return RunTool("BibTeX", program, path, "BibTeXの設定がなされてません．");
}
