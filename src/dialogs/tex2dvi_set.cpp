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
  bool format = IsChecked(dialog, IDC_USE_FORMAT);
  SetReadOnly(dialog, IDC_PROGRAM, format);
  Enable(dialog, IDC_FORMAT_LIST, format);
  SetReadOnly(dialog, IDC_MAX_COMPILE, !IsChecked(dialog, IDC_ANALYZE));
}

bool TeX2DVISet::OnInit(vklib::window::Dialog& dialog) {
  SelectRadio(dialog, {IDC_USE_FORMAT, IDC_USE_PROGRAM},
              GetIniInt(Setting::kTeX2DVIIsUsingFormat) != 0 ? IDC_USE_FORMAT : IDC_USE_PROGRAM);
  SetText(dialog, IDC_PROGRAM, GetIniString(Setting::kTeX2DVIProgram));
  SetText(dialog, IDC_OPTION, GetIniString(Setting::kTeX2DVIOption));
  if (GetIniInt(Setting::kTeX2DVIIsAnalyze) != 0)
    vklib::window::CheckBox(dialog, IDC_ANALYZE).Check();
  SetText(dialog, IDC_MAX_COMPILE,
          std::to_string(GetIniInt(Setting::kTeX2DVIMaxCompile, kDefaultMaxCompile)));
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
  FillList(dialog, IDC_FORMAT_LIST, names, format);
  ApplyRules(dialog);
  return true;
}

bool TeX2DVISet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      // A bound of 0 would make every build do nothing without a word: the dialog stays open.
      const int max_compile = MaxCompileOf(Text(dialog, IDC_MAX_COMPILE));
      if (max_compile < 1) {
        dialog.ShowMessageBox("最大コンパイル回数には1以上の数を入れてください．", "Pressel2");
        SetFocus(dialog.Item(IDC_MAX_COMPILE));
        return true;
      }
      bool saved =
          WriteIniInt(Setting::kTeX2DVIIsUsingFormat, IsChecked(dialog, IDC_USE_FORMAT) ? 1 : 0);
      saved &= WriteIniString(Setting::kTeX2DVIFormatFile,
                              vklib::window::Combo(dialog, IDC_FORMAT_LIST).GetText());
      saved &= WriteIniString(Setting::kTeX2DVIProgram, Text(dialog, IDC_PROGRAM));
      saved &= WriteIniString(Setting::kTeX2DVIOption, Text(dialog, IDC_OPTION));
      saved &= WriteIniInt(Setting::kTeX2DVIIsAnalyze, IsChecked(dialog, IDC_ANALYZE) ? 1 : 0);
      saved &= WriteIniInt(Setting::kTeX2DVIMaxCompile, max_compile);
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case IDC_USE_FORMAT:
    case IDC_USE_PROGRAM:
      SelectRadio(dialog, {IDC_USE_FORMAT, IDC_USE_PROGRAM}, id);
      ApplyRules(dialog);
      return true;
    case IDC_ANALYZE:
      ApplyRules(dialog);
      return true;
    case IDC_BIBTEX_SETTINGS:
      BibTeXSet(Instance()).Show(dialog.Handle());
      return true;
    case IDC_MAKEINDEX_SETTINGS:
      MakeIndexSet(Instance()).Show(dialog.Handle());
      return true;
    default:
      return false;
  }
}
