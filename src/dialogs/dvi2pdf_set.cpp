#include "dialogs/paper_sets.h"
#include "settings/settings.h"
#include "vklib/window/controls.h"

namespace {

const char kSection[] = "DVI2PDF";
const std::vector<std::string> kPapers = {"a6", "a5", "a4", "a3", "b6", "b5", "b4", "b3", "b5ver"};
const std::vector<int> kProgramRadios = {DVI2PDFSet::kDvipdfmx, DVI2PDFSet::kUsersProgram};
const std::vector<int> kPaperRadios = {DVI2PDFSet::kNoPaper, DVI2PDFSet::kInferPaper,
                                       DVI2PDFSet::kPaperFromList, DVI2PDFSet::kPaperInNumbers};

}  // namespace

void DVI2PDFSet::ApplyRules(vklib::window::Dialog& dialog) {
  bool users = IsChecked(dialog, kUsersProgram);
  SetReadOnly(dialog, kProgramField, !users);
  for (int radio : kPaperRadios)
    Enable(dialog, radio, !users);
  Enable(dialog, kPaperList, !users && IsChecked(dialog, kPaperFromList));
  bool numbers = !users && IsChecked(dialog, kPaperInNumbers);
  SetReadOnly(dialog, kPaperX, !numbers);
  SetReadOnly(dialog, kPaperY, !numbers);
}

bool DVI2PDFSet::OnInit(vklib::window::Dialog& dialog) {
  FillList(dialog, kPaperList, kPapers, GetIniString(kSection, "PaperSizeFromList"));
  switch (GetIniInt(kSection, "WhichProgram")) {
    case 2:
      SelectRadio(dialog, kProgramRadios, kDvipdfmx);
      break;
    case 3:
      SelectRadio(dialog, kProgramRadios, kUsersProgram);
      break;
    default:
      break;  // neither is checked
  }
  switch (GetIniInt(kSection, "WhichPaperSize")) {
    case 1:
      SelectRadio(dialog, kPaperRadios, kInferPaper);
      break;
    case 2:
      SelectRadio(dialog, kPaperRadios, kPaperFromList);
      break;
    case 3:
      SelectRadio(dialog, kPaperRadios, kPaperInNumbers);
      break;
    default:
      SelectRadio(dialog, kPaperRadios, kNoPaper);
      break;
  }
  SetText(dialog, kProgramField, GetIniString(kSection, "Program"));
  SetText(dialog, kOptionField, GetIniString(kSection, "Option"));
  SetText(dialog, kPaperX, GetIniString(kSection, "PaperSizeX"));
  SetText(dialog, kPaperY, GetIniString(kSection, "PaperSizeY"));
  ApplyRules(dialog);
  return true;
}

bool DVI2PDFSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniInt(kSection, "WhichProgram", IsChecked(dialog, kDvipdfmx) ? 2 : 3);
      int paper = CheckedRadio(dialog, kPaperRadios);
      saved &= WriteIniInt(kSection, "WhichPaperSize",
                           paper == kInferPaper       ? 1
                           : paper == kPaperFromList  ? 2
                           : paper == kPaperInNumbers ? 3
                                                      : 4);
      saved &= WriteIniString(kSection, "Program", Text(dialog, kProgramField));
      saved &= WriteIniString(kSection, "Option", Text(dialog, kOptionField));
      saved &= WriteIniString(kSection, "PaperSizeFromList",
                              vklib::window::Combo(dialog, kPaperList).GetText());
      saved &= WriteIniString(kSection, "PaperSizeX", Text(dialog, kPaperX));
      saved &= WriteIniString(kSection, "PaperSizeY", Text(dialog, kPaperY));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case kDvipdfmx:
    case kUsersProgram:
      SelectRadio(dialog, kProgramRadios, id);
      ApplyRules(dialog);
      return true;
    case kNoPaper:
    case kInferPaper:
    case kPaperFromList:
    case kPaperInNumbers:
      SelectRadio(dialog, kPaperRadios, id);
      ApplyRules(dialog);
      return true;
    default:
      return false;
  }
}
