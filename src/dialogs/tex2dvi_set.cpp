#include "dialogs/tex2dvi_set.h"

#include <algorithm>
#include <cstdlib>

#include "dialogs/format_list.h"
#include "dialogs/program_choice_set.h"
#include "settings/settings.h"
#include "texsource/paths.h"
#include "vklib/window/controls.h"

namespace {

// The number typed as "MaxCompile": an empty field takes the first run's value; anything but a
// whole number of 1 or more gives 0.
int MaxCompileOf(const std::string& text) {
  if (text.empty()) return kDefaultMaxCompile;
  if (text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::atoi(text.c_str());
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
              GetIniInt(Setting::kTeX2DVIIsUsingFormat) != 0 ? kUseFormat : kUseProgram);
  SetText(dialog, kProgramField, GetIniString(Setting::kTeX2DVIProgram));
  SetText(dialog, kOptionField, GetIniString(Setting::kTeX2DVIOption));
  if (GetIniInt(Setting::kTeX2DVIIsAnalyze) != 0) vklib::window::CheckBox(dialog, kAnalyze).Check();
  SetText(dialog, kMaxCompileField, std::to_string(GetIniInt(Setting::kTeX2DVIMaxCompile)));
  std::vector<std::string> names;
  for (const std::string& path : FindFormatFiles(FormatSearchPath())) {
    names.push_back(SplitPath(path).name);
  }
  // A stored format that the search did not find (kpsewhich missing, or the format elsewhere)
  // is still offered, so that OK keeps it.
  const std::string format = GetIniString(Setting::kTeX2DVIFormatFile);
  if (!format.empty() && std::find(names.begin(), names.end(), format) == names.end()) {
    names.push_back(format);
  }
  FillList(dialog, kFormatList, names, format);
  ApplyRules(dialog);
  return true;
}

bool TeX2DVISet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      // A bound of 0 would make every build do nothing without a word: the dialog stays open.
      const int max_compile = MaxCompileOf(Text(dialog, kMaxCompileField));
      if (max_compile < 1) {
        dialog.ShowMessageBox("最大コンパイル回数には1以上の数を入れてください．", "Pressel2");
        SetFocus(dialog.Item(kMaxCompileField));
        return true;
      }
      bool saved =
          WriteIniInt(Setting::kTeX2DVIIsUsingFormat, IsChecked(dialog, kUseFormat) ? 1 : 0);
      saved &= WriteIniString(Setting::kTeX2DVIFormatFile,
                              vklib::window::Combo(dialog, kFormatList).GetText());
      saved &= WriteIniString(Setting::kTeX2DVIProgram, Text(dialog, kProgramField));
      saved &= WriteIniString(Setting::kTeX2DVIOption, Text(dialog, kOptionField));
      saved &= WriteIniInt(Setting::kTeX2DVIIsAnalyze, IsChecked(dialog, kAnalyze) ? 1 : 0);
      saved &= WriteIniInt(Setting::kTeX2DVIMaxCompile, max_compile);
      EndSaved(dialog, saved);
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
