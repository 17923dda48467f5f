#include "build/build_host.h"
#include "build/run_failure.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "settings/stored_choices.h"
#include "texsource/paths.h"
#include "vklib/command_line.h"
#include "vklib/process.h"

namespace {

// "pbibtex" when a directory of the PATH holds it, else "jbibtex".
std::string JapaneseBibTeX() {
  return vklib::ProgramOnPath("pbibtex") ? "pbibtex" : "jbibtex";
}

}  // namespace

std::string TeX::ChosenProgram(Setting which, Setting program, const char* first,
                               const char* otherwise) {
  switch (ProgramChoiceOf(GetIniInt(which))) {
    case ProgramChoice::kFirst:
      return first;
    case ProgramChoice::kUsers:
      return GetIniString(program);
    default:
      return otherwise;
  }
}

bool TeX::ToolCommand(std::optional<Setting> option, const std::string& program,
                      const std::string& arguments, const std::vector<std::string>& files,
                      std::string& command) {
  command = program + arguments;
  const std::string option_text = option ? GetIniString(*option) : std::string();
  if (!option_text.empty()) command += " " + option_text;
  for (const std::string& file : files) {
    std::string operand;
    if (!vklib::FileOperand(program, file, operand)) {
      Message(BatchFileNameRefusal(program, file));
      return false;
    }
    command += " " + operand;
  }
  return true;
}

bool TeX::RunTool(std::optional<Setting> option, const std::string& program,
                  const std::string& arguments, const std::string& path,
                  const char* settings_message) {
  if (program.empty()) {
    Message(settings_message);
    return false;
  }
  // The stem alone, run in its directory: TeX Live's tools refuse to write beside an input
  // named by an absolute path.
  PathParts parts = SplitPath(path);
  std::string command;
  if (!ToolCommand(option, program, arguments, {parts.stem}, command)) return false;
  if (!Execute(command, parts.directory)) {
    Message(FailedRunMessage(command, "の実行に失敗．", host_.StartError()));
    return false;
  }
  return true;
}

bool TeX::MakeIndex(const std::string& path) {
  const ProgramChoice which = ProgramChoiceOf(GetIniInt(Setting::kMakeIndexWhichProgram));
  const bool mendex = which != ProgramChoice::kFirst && which != ProgramChoice::kUsers;
  return RunTool(Setting::kMakeIndexOption,
                 ChosenProgram(Setting::kMakeIndexWhichProgram, Setting::kMakeIndexProgram,
                               "makeindex", "mendex"),
                 mendex ? IndexArgument() : std::string(), path,
                 "MakeIndexの設定がなされてません．");
}

bool TeX::BibTeX(const std::string& path) {
  std::string program =
      ChosenProgram(Setting::kBibTeXWhichProgram, Setting::kBibTeXProgram, "bibtex", "");
  std::string arguments;
  ProgramChoice which = ProgramChoiceOf(GetIniInt(Setting::kBibTeXWhichProgram));
  if (which != ProgramChoice::kFirst && which != ProgramChoice::kUsers) {
    // The Japanese BibTeX of the engine: upBibTeX writes what upLaTeX and the engines that read
    // UTF-8 read back; pTeX's is looked for on the PATH only when it is the choice.
    const EngineTraits* engine = EngineOf(TeXProgram());
    program = engine != nullptr && !engine->ptex ? "upbibtex" : JapaneseBibTeX();
    if (program == "pbibtex") arguments = KanjiArgument(Setting::kBibTeXOption);
  }
  return RunTool(Setting::kBibTeXOption, program, arguments, path,
                 "BibTeXの設定がなされてません．");
}

bool TeX::Biber(const std::string& path) {
  // The BibTeX settings are BibTeX's: Biber takes none of its options.
  return RunTool(std::nullopt, "biber", "", path, "");
}
