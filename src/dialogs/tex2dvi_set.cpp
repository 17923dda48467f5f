#include "dialogs/tex2dvi_set.h"

#include <cstdlib>

#include "dialogs/format_list.h"
#include "dialogs/program_choice_set.h"
#include "settings/settings.h"
#include "texsource/paths.h"
#include "vklib/process.h"
#include "vklib/window/controls.h"

namespace {

const char kSection[] = "TeX2DVI";

// kpsewhich's expansion of the format search path ("" when it cannot be started).
std::string FormatSearchPath() {
  vklib::Process process;
  vklib::ProcessParam param;
  param.CommandLine = "kpsewhich -expand-path=$TEXFORMATS";
  param.RedirectOutput = param.RedirectError = true;
  param.DefaultShow = true;
  if (!process.Start(param)) return std::string();
  std::string output;
  char buffer[4096];
  while (true) {
    bool ended = process.IsEnded();
    while (size_t count = process.Read(buffer, 4095))
      output.append(buffer, count);
    if (ended) return output;
    process.WaitForActivity(20);
  }
}

}  // namespace

void TeX2DVISet::ApplyRules(vklib::window::Dialog& dialog) {
  bool format = IsChecked(dialog, kUseFormat);
  SetReadOnly(dialog, kProgramField, format);
  Enable(dialog, kFormatList, format);
  SetReadOnly(dialog, kMaxCompileField, !IsChecked(dialog, kAnalyze));
}

bool TeX2DVISet::OnInit(vklib::window::Dialog& dialog) {
  SelectRadio(dialog, {kUseFormat, kUseProgram},
              GetIniInt(kSection, "IsUsingFormat") != 0 ? kUseFormat : kUseProgram);
  SetText(dialog, kProgramField, GetIniString(kSection, "Program"));
  SetText(dialog, kOptionField, GetIniString(kSection, "Option"));
  if (GetIniInt(kSection, "IsAnalyze") != 0) vklib::window::CheckBox(dialog, kAnalyze).Check();
  SetText(dialog, kMaxCompileField, std::to_string(GetIniInt(kSection, "MaxCompile")));
  std::vector<std::string> names;
  for (const std::string& path : FindFormatFiles(FormatSearchPath())) {
    names.push_back(SplitPath(path).name);
  }
  FillList(dialog, kFormatList, names, GetIniString(kSection, "FormatFile"));
  ApplyRules(dialog);
  return true;
}

bool TeX2DVISet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      WriteIniInt(kSection, "IsUsingFormat", IsChecked(dialog, kUseFormat) ? 1 : 0);
      WriteIniString(kSection, "FormatFile", vklib::window::Combo(dialog, kFormatList).GetText());
      WriteIniString(kSection, "Program", Text(dialog, kProgramField));
      WriteIniString(kSection, "Option", Text(dialog, kOptionField));
      WriteIniInt(kSection, "IsAnalyze", IsChecked(dialog, kAnalyze) ? 1 : 0);
      // An empty field takes the first run's value.
      std::string max_compile = Text(dialog, kMaxCompileField);
      WriteIniInt(kSection, "MaxCompile",
                  max_compile.empty() ? kDefaultMaxCompile : std::atoi(max_compile.c_str()));
      dialog.End(1);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case kUseFormat:
    case kUseProgram:
      SelectRadio(dialog, {kUseFormat, kUseProgram}, id);
      ApplyRules(dialog);
      return true;
    case kAnalyze:
      ApplyRules(dialog);
      return true;
    case kBibTeXButton:
      BibTeXSet(Instance()).Show(dialog.Handle());
      return true;
    case kMakeIndexButton:
      MakeIndexSet(Instance()).Show(dialog.Handle());
      return true;
    default:
      return false;
  }
}
