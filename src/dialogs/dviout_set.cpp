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
              GetIniInt(Setting::kDVIOUTIsUseDVIOUT) != 0 ? kUseDviout : kUseOther);
  if (GetIniInt(Setting::kDVIOUTMaximize) != 0) vklib::window::CheckBox(dialog, kMaximize).Check();
  if (GetIniInt(Setting::kDVIOUTIsTellPaperSize) != 0) {
    vklib::window::CheckBox(dialog, kTellPaper).Check();
  }
  // Without a radio for no paper, any other number shows as inferred.
  PaperChoice paper = PaperChoiceOf(GetIniInt(Setting::kDVIOUTWhichPaperSize));
  SelectRadio(dialog, kPaperRadios,
              paper == PaperChoice::kFromList    ? kPaperFromList
              : paper == PaperChoice::kInNumbers ? kPaperInNumbers
                                                 : kInferPaper);
  SetText(dialog, kDvioutPath, GetIniString(Setting::kDVIOUTdvioutPath));
  SetText(dialog, kPaperX, GetIniString(Setting::kDVIOUTPaperSizeX));
  SetText(dialog, kPaperY, GetIniString(Setting::kDVIOUTPaperSizeY));
  SetText(dialog, kProgramField, GetIniString(Setting::kDVIOUTProgram));
  SetText(dialog, kArgumentField, GetIniString(Setting::kDVIOUTArg));
  FillList(dialog, kPaperList, kPapers, GetIniString(Setting::kDVIOUTPaperSizeFromList));
  ApplyRules(dialog);
  return true;
}

bool DVIOUTSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniInt(Setting::kDVIOUTIsUseDVIOUT, IsChecked(dialog, kUseDviout) ? 1 : 0);
      saved &= WriteIniString(Setting::kDVIOUTdvioutPath, Text(dialog, kDvioutPath));
      saved &= WriteIniInt(Setting::kDVIOUTMaximize, IsChecked(dialog, kMaximize) ? 1 : 0);
      saved &= WriteIniInt(Setting::kDVIOUTIsTellPaperSize, IsChecked(dialog, kTellPaper) ? 1 : 0);
      int paper = CheckedRadio(dialog, kPaperRadios);
      saved &= WriteIniInt(Setting::kDVIOUTWhichPaperSize,
                           StoredNumber(paper == kInferPaper       ? PaperChoice::kFromClass
                                        : paper == kPaperInNumbers ? PaperChoice::kInNumbers
                                                                   : PaperChoice::kFromList));
      saved &= WriteIniString(Setting::kDVIOUTPaperSizeFromList,
                              vklib::window::Combo(dialog, kPaperList).GetText());
      saved &= WriteIniString(Setting::kDVIOUTPaperSizeX, Text(dialog, kPaperX));
      saved &= WriteIniString(Setting::kDVIOUTPaperSizeY, Text(dialog, kPaperY));
      saved &= WriteIniString(Setting::kDVIOUTProgram, Text(dialog, kProgramField));
      saved &= WriteIniString(Setting::kDVIOUTArg, Text(dialog, kArgumentField));
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
             "dvioutの場所を選んでください．", GetIniString(Setting::kDVIOUTdvioutPath));
      return true;
    case kBrowseProgram:
      if (!IsChecked(dialog, kUseOther)) return false;
      Browse(dialog, kProgramField,
             std::string("実行ファイル(*.exe)") + '\0' + "*.exe" + '\0' + "全てのファイル(*.*)" +
                 '\0' + "*.*" + '\0',
             "DVI閲覧ソフトを選んでください．", GetIniString(Setting::kDVIOUTProgram));
      return true;
    default:
      return false;
  }
}
