#include "dialogs/paper_sets.h"
#include "settings/settings.h"
#include "settings/stored_choices.h"
#include "vklib/window/controls.h"

namespace {

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
  FillList(dialog, kPaperList, kPapers, GetIniString(Setting::kDVI2PDFPaperSizeFromList));
  switch (ProgramChoiceOf(GetIniInt(Setting::kDVI2PDFWhichProgram))) {
    case ProgramChoice::kSecond:
      SelectRadio(dialog, kProgramRadios, kDvipdfmx);
      break;
    case ProgramChoice::kUsers:
      SelectRadio(dialog, kProgramRadios, kUsersProgram);
      break;
    default:
      break;  // neither is checked
  }
  switch (PaperChoiceOf(GetIniInt(Setting::kDVI2PDFWhichPaperSize))) {
    case PaperChoice::kFromClass:
      SelectRadio(dialog, kPaperRadios, kInferPaper);
      break;
    case PaperChoice::kFromList:
      SelectRadio(dialog, kPaperRadios, kPaperFromList);
      break;
    case PaperChoice::kInNumbers:
      SelectRadio(dialog, kPaperRadios, kPaperInNumbers);
      break;
    case PaperChoice::kNone:
      SelectRadio(dialog, kPaperRadios, kNoPaper);
      break;
  }
  SetText(dialog, kProgramField, GetIniString(Setting::kDVI2PDFProgram));
  SetText(dialog, kOptionField, GetIniString(Setting::kDVI2PDFOption));
  SetText(dialog, kPaperX, GetIniString(Setting::kDVI2PDFPaperSizeX));
  SetText(dialog, kPaperY, GetIniString(Setting::kDVI2PDFPaperSizeY));
  ApplyRules(dialog);
  return true;
}

bool DVI2PDFSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniInt(Setting::kDVI2PDFWhichProgram,
                               StoredNumber(IsChecked(dialog, kDvipdfmx) ? ProgramChoice::kSecond
                                                                         : ProgramChoice::kUsers));
      int paper = CheckedRadio(dialog, kPaperRadios);
      saved &= WriteIniInt(Setting::kDVI2PDFWhichPaperSize,
                           StoredNumber(paper == kInferPaper       ? PaperChoice::kFromClass
                                        : paper == kPaperFromList  ? PaperChoice::kFromList
                                        : paper == kPaperInNumbers ? PaperChoice::kInNumbers
                                                                   : PaperChoice::kNone));
      saved &= WriteIniString(Setting::kDVI2PDFProgram, Text(dialog, kProgramField));
      saved &= WriteIniString(Setting::kDVI2PDFOption, Text(dialog, kOptionField));
      saved &= WriteIniString(Setting::kDVI2PDFPaperSizeFromList,
                              vklib::window::Combo(dialog, kPaperList).GetText());
      saved &= WriteIniString(Setting::kDVI2PDFPaperSizeX, Text(dialog, kPaperX));
      saved &= WriteIniString(Setting::kDVI2PDFPaperSizeY, Text(dialog, kPaperY));
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
