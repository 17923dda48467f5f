#include "dialogs/paper_sets.h"
#include "settings/settings.h"
#include "settings/stored_choices.h"
#include "vklib/window/controls.h"

namespace {

const std::vector<std::string> kPapers = {
    "A3",        "A4",      "A5",     "A6",    "A7",       "B3E",    "B4E",
    "B5E",       "B6E",     "B3J",    "B4J",   "B5J",      "B6J",    "KIKU",
    "46",        "NB",      "AB",     "Legal", "GovLegal", "Letter", "HalfLetter",
    "GovLetter", "Execute", "はがき", "SVGA",  "XGA",      "SXGA",   "UVGA"};
const std::vector<int> kViewerRadios = {IDC_USE_DVIOUT, IDC_OTHER_PROGRAM};
const std::vector<int> kPaperRadios = {IDC_DVIOUT_INFER_PAPER, IDC_DVIOUT_PAPER_FROM_LIST,
                                       IDC_DVIOUT_PAPER_IN_NUMBERS};

}  // namespace

void DVIOUTSet::ApplyRules(vklib::window::Dialog& dialog) {
  bool dviout = IsChecked(dialog, IDC_USE_DVIOUT);
  bool tell = dviout && IsChecked(dialog, IDC_TELL_PAPER);
  SetReadOnly(dialog, IDC_DVIOUT_PATH, !dviout);
  Enable(dialog, IDC_MAXIMIZE, dviout);
  Enable(dialog, IDC_TELL_PAPER, dviout);
  for (int radio : kPaperRadios)
    Enable(dialog, radio, tell);
  Enable(dialog, IDC_DVIOUT_PAPER_LIST, tell && IsChecked(dialog, IDC_DVIOUT_PAPER_FROM_LIST));
  bool numbers = tell && IsChecked(dialog, IDC_DVIOUT_PAPER_IN_NUMBERS);
  Enable(dialog, IDC_PAPER_X, numbers);
  Enable(dialog, IDC_PAPER_Y, numbers);
  bool other = IsChecked(dialog, IDC_OTHER_PROGRAM);
  SetReadOnly(dialog, IDC_PROGRAM, !other);
  SetReadOnly(dialog, IDC_VIEWER_ARGUMENTS, !other);
}

bool DVIOUTSet::OnInit(vklib::window::Dialog& dialog) {
  SelectRadio(dialog, kViewerRadios,
              GetIniInt(Setting::kDVIOUTIsUseDVIOUT) != 0 ? IDC_USE_DVIOUT : IDC_OTHER_PROGRAM);
  if (GetIniInt(Setting::kDVIOUTMaximize) != 0)
    vklib::window::CheckBox(dialog, IDC_MAXIMIZE).Check();
  if (GetIniInt(Setting::kDVIOUTIsTellPaperSize) != 0) {
    vklib::window::CheckBox(dialog, IDC_TELL_PAPER).Check();
  }
  // Without a radio for no paper, any other number shows as inferred.
  PaperChoice paper = PaperChoiceOf(GetIniInt(Setting::kDVIOUTWhichPaperSize));
  SelectRadio(dialog, kPaperRadios,
              paper == PaperChoice::kFromList    ? IDC_DVIOUT_PAPER_FROM_LIST
              : paper == PaperChoice::kInNumbers ? IDC_DVIOUT_PAPER_IN_NUMBERS
                                                 : IDC_DVIOUT_INFER_PAPER);
  SetText(dialog, IDC_DVIOUT_PATH, GetIniString(Setting::kDVIOUTdvioutPath));
  SetText(dialog, IDC_PAPER_X, GetIniString(Setting::kDVIOUTPaperSizeX));
  SetText(dialog, IDC_PAPER_Y, GetIniString(Setting::kDVIOUTPaperSizeY));
  SetText(dialog, IDC_PROGRAM, GetIniString(Setting::kDVIOUTProgram));
  SetText(dialog, IDC_VIEWER_ARGUMENTS, GetIniString(Setting::kDVIOUTArg));
  FillList(dialog, IDC_DVIOUT_PAPER_LIST, kPapers, GetIniString(Setting::kDVIOUTPaperSizeFromList));
  ApplyRules(dialog);
  return true;
}

bool DVIOUTSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved =
          WriteIniInt(Setting::kDVIOUTIsUseDVIOUT, IsChecked(dialog, IDC_USE_DVIOUT) ? 1 : 0);
      saved &= WriteIniString(Setting::kDVIOUTdvioutPath, Text(dialog, IDC_DVIOUT_PATH));
      saved &= WriteIniInt(Setting::kDVIOUTMaximize, IsChecked(dialog, IDC_MAXIMIZE) ? 1 : 0);
      saved &=
          WriteIniInt(Setting::kDVIOUTIsTellPaperSize, IsChecked(dialog, IDC_TELL_PAPER) ? 1 : 0);
      int paper = CheckedRadio(dialog, kPaperRadios);
      saved &= WriteIniInt(
          Setting::kDVIOUTWhichPaperSize,
          StoredNumber(paper == IDC_DVIOUT_INFER_PAPER        ? PaperChoice::kFromClass
                       : paper == IDC_DVIOUT_PAPER_IN_NUMBERS ? PaperChoice::kInNumbers
                                                              : PaperChoice::kFromList));
      saved &= WriteIniString(Setting::kDVIOUTPaperSizeFromList,
                              vklib::window::Combo(dialog, IDC_DVIOUT_PAPER_LIST).GetText());
      saved &= WriteIniString(Setting::kDVIOUTPaperSizeX, Text(dialog, IDC_PAPER_X));
      saved &= WriteIniString(Setting::kDVIOUTPaperSizeY, Text(dialog, IDC_PAPER_Y));
      saved &= WriteIniString(Setting::kDVIOUTProgram, Text(dialog, IDC_PROGRAM));
      saved &= WriteIniString(Setting::kDVIOUTArg, Text(dialog, IDC_VIEWER_ARGUMENTS));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case IDC_USE_DVIOUT:
    case IDC_OTHER_PROGRAM:
      SelectRadio(dialog, kViewerRadios, id);
      ApplyRules(dialog);
      return true;
    case IDC_DVIOUT_INFER_PAPER:
    case IDC_DVIOUT_PAPER_FROM_LIST:
    case IDC_DVIOUT_PAPER_IN_NUMBERS:
      SelectRadio(dialog, kPaperRadios, id);
      ApplyRules(dialog);
      return true;
    case IDC_MAXIMIZE:
    case IDC_TELL_PAPER:
      ApplyRules(dialog);
      return true;
    case IDC_BROWSE_DVIOUT:
      if (!IsChecked(dialog, IDC_USE_DVIOUT)) return false;
      Browse(dialog, IDC_DVIOUT_PATH,
             std::string("dviout.exe") + '\0' + "dviout.exe" + '\0' + "全てのファイル(*.*)" + '\0' +
                 "*.*" + '\0',
             "dvioutの場所を選んでください．", GetIniString(Setting::kDVIOUTdvioutPath));
      return true;
    case IDC_BROWSE_PROGRAM:
      if (!IsChecked(dialog, IDC_OTHER_PROGRAM)) return false;
      Browse(dialog, IDC_PROGRAM,
             std::string("実行ファイル(*.exe)") + '\0' + "*.exe" + '\0' + "全てのファイル(*.*)" +
                 '\0' + "*.*" + '\0',
             "DVI閲覧ソフトを選んでください．", GetIniString(Setting::kDVIOUTProgram));
      return true;
    default:
      return false;
  }
}
