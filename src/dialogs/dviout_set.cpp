#include "dialogs/paper_sets.h"
#include "settings/settings.h"
#include "vklib/window/controls.h"

namespace {

const char kSection[] = "DVIOUT";
const std::vector<std::string> kPapers = {
    "A3",        "A4",      "A5",     "A6",    "A7",       "B3E",    "B4E",
    "B5E",       "B6E",     "B3J",    "B4J",   "B5J",      "B6J",    "KIKU",
    "46",        "NB",      "AB",     "Legal", "GovLegal", "Letter", "HalfLetter",
    "GovLetter", "Execute", "はがき", "SVGA",  "XGA",      "SXGA",   "UVGA"};
const std::vector<int> kViewerRadios = {DVIOUTSet::kUseDviout, DVIOUTSet::kUseOther};
const std::vector<int> kPaperRadios = {DVIOUTSet::kInferPaper, DVIOUTSet::kPaperFromList,
                                       DVIOUTSet::kPaperInNumbers};

}  // namespace

void DVIOUTSet::ApplyRules(vklib::window::Dialog& dialog) {
  bool dviout = IsChecked(dialog, kUseDviout);
  bool tell = dviout && IsChecked(dialog, kTellPaper);
  SetReadOnly(dialog, kDvioutPath, !dviout);
  Enable(dialog, kMaximize, dviout);
  Enable(dialog, kTellPaper, dviout);
  for (int radio : kPaperRadios)
    Enable(dialog, radio, tell);
  Enable(dialog, kPaperList, tell && IsChecked(dialog, kPaperFromList));
  bool numbers = tell && IsChecked(dialog, kPaperInNumbers);
  Enable(dialog, kPaperX, numbers);
  Enable(dialog, kPaperY, numbers);
  bool other = IsChecked(dialog, kUseOther);
  SetReadOnly(dialog, kProgramField, !other);
  SetReadOnly(dialog, kArgumentField, !other);
}

bool DVIOUTSet::OnInit(vklib::window::Dialog& dialog) {
  SelectRadio(dialog, kViewerRadios,
              GetIniInt(kSection, "IsUseDVIOUT") != 0 ? kUseDviout : kUseOther);
  if (GetIniInt(kSection, "Maximize") != 0) vklib::window::CheckBox(dialog, kMaximize).Check();
  if (GetIniInt(kSection, "IsTellPaperSize") != 0) {
    vklib::window::CheckBox(dialog, kTellPaper).Check();
  }
  int paper = GetIniInt(kSection, "WhichPaperSize");
  SelectRadio(dialog, kPaperRadios,
              paper == 2   ? kPaperFromList
              : paper == 3 ? kPaperInNumbers
                           : kInferPaper);
  SetText(dialog, kDvioutPath, GetIniString(kSection, "dvioutPath"));
  SetText(dialog, kPaperX, GetIniString(kSection, "PaperSizeX"));
  SetText(dialog, kPaperY, GetIniString(kSection, "PaperSizeY"));
  SetText(dialog, kProgramField, GetIniString(kSection, "Program"));
  SetText(dialog, kArgumentField, GetIniString(kSection, "Arg"));
  FillList(dialog, kPaperList, kPapers, GetIniString(kSection, "PaperSizeFromList"));
  ApplyRules(dialog);
  return true;
}

bool DVIOUTSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniInt(kSection, "IsUseDVIOUT", IsChecked(dialog, kUseDviout) ? 1 : 0);
      saved &= WriteIniString(kSection, "dvioutPath", Text(dialog, kDvioutPath));
      saved &= WriteIniInt(kSection, "Maximize", IsChecked(dialog, kMaximize) ? 1 : 0);
      saved &= WriteIniInt(kSection, "IsTellPaperSize", IsChecked(dialog, kTellPaper) ? 1 : 0);
      int paper = CheckedRadio(dialog, kPaperRadios);
      saved &= WriteIniInt(kSection, "WhichPaperSize",
                           paper == kInferPaper       ? 1
                           : paper == kPaperInNumbers ? 3
                                                      : 2);
      saved &= WriteIniString(kSection, "PaperSizeFromList",
                              vklib::window::Combo(dialog, kPaperList).GetText());
      saved &= WriteIniString(kSection, "PaperSizeX", Text(dialog, kPaperX));
      saved &= WriteIniString(kSection, "PaperSizeY", Text(dialog, kPaperY));
      saved &= WriteIniString(kSection, "Program", Text(dialog, kProgramField));
      saved &= WriteIniString(kSection, "Arg", Text(dialog, kArgumentField));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case kUseDviout:
    case kUseOther:
      SelectRadio(dialog, kViewerRadios, id);
      ApplyRules(dialog);
      return true;
    case kInferPaper:
    case kPaperFromList:
    case kPaperInNumbers:
      SelectRadio(dialog, kPaperRadios, id);
      ApplyRules(dialog);
      return true;
    case kMaximize:
    case kTellPaper:
      ApplyRules(dialog);
      return true;
    case kBrowseDviout:
      if (!IsChecked(dialog, kUseDviout)) return false;
      Browse(dialog, kDvioutPath,
             std::string("dviout.exe") + '\0' + "dviout.exe" + '\0' + "全てのファイル(*.*)" + '\0' +
                 "*.*" + '\0',
             "dvioutの場所を選んでください．", GetIniString(kSection, "dvioutPath"));
      return true;
    case kBrowseProgram:
      if (!IsChecked(dialog, kUseOther)) return false;
      Browse(dialog, kProgramField,
             std::string("実行ファイル(*.exe)") + '\0' + "*.exe" + '\0' + "全てのファイル(*.*)" +
                 '\0' + "*.*" + '\0',
             "DVI閲覧ソフトを選んでください．", GetIniString(kSection, "Program"));
      return true;
    default:
      return false;
  }
}
