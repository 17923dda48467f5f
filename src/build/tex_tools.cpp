#include "build/build_host.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "texsource/paths.h"
#include "vklib/command_line.h"
#include "vklib/process.h"

namespace {

// "pbibtex" when a directory of the PATH holds it, else "jbibtex".
std::string JapaneseBibTeX() {
  return vklib::ProgramOnPath("pbibtex") ? "pbibtex" : "jbibtex";
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

bool TeX::RunTool(const char* section, const std::string& program, const std::string& path,
                  const char* settings_message) {
  if (program.empty()) {
    Message(settings_message);
    return false;
  }
  // The stem alone, run in its directory: TeX Live's tools refuse to write beside an input
  // named by an absolute path.
  PathParts parts = SplitPath(path);
  std::string command = WithOption(section, program) + " " + vklib::QuoteArgument(parts.stem);
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
