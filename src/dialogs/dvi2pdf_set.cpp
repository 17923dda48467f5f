#include "dialogs/paper_sets.h"
#include "settings/settings.h"
#include "settings/stored_choices.h"
#include "vklib/window/controls.h"

namespace {

const std::vector<std::string> kPapers = {"a6", "a5", "a4", "a3", "b6", "b5", "b4", "b3", "b5ver"};
const std::vector<int> kProgramRadios = {IDC_DVIPDFMX, IDC_OTHER_PROGRAM};
const std::vector<int> kPaperRadios = {IDC_DVI2PDF_NO_PAPER, IDC_DVI2PDF_INFER_PAPER,
                                       IDC_DVI2PDF_PAPER_FROM_LIST, IDC_DVI2PDF_PAPER_IN_NUMBERS};

}  // namespace

void DVI2PDFSet::ApplyRules(vklib::window::Dialog& dialog) {
  bool users = IsChecked(dialog, IDC_OTHER_PROGRAM);
  SetReadOnly(dialog, IDC_PROGRAM, !users);
  for (int radio : kPaperRadios)
    Enable(dialog, radio, !users);
  Enable(dialog, IDC_DVI2PDF_PAPER_LIST, !users && IsChecked(dialog, IDC_DVI2PDF_PAPER_FROM_LIST));
  bool numbers = !users && IsChecked(dialog, IDC_DVI2PDF_PAPER_IN_NUMBERS);
  SetReadOnly(dialog, IDC_PAPER_X, !numbers);
  SetReadOnly(dialog, IDC_PAPER_Y, !numbers);
}

bool DVI2PDFSet::OnInit(vklib::window::Dialog& dialog) {
  FillList(dialog, IDC_DVI2PDF_PAPER_LIST, kPapers,
           GetIniString(Setting::kDVI2PDFPaperSizeFromList));
  switch (ProgramChoiceOf(GetIniInt(Setting::kDVI2PDFWhichProgram))) {
    case ProgramChoice::kSecond:
      SelectRadio(dialog, kProgramRadios, IDC_DVIPDFMX);
      break;
    case ProgramChoice::kUsers:
      SelectRadio(dialog, kProgramRadios, IDC_OTHER_PROGRAM);
      break;
    default:
      break;  // neither is checked
  }
  switch (PaperChoiceOf(GetIniInt(Setting::kDVI2PDFWhichPaperSize))) {
    case PaperChoice::kFromClass:
      SelectRadio(dialog, kPaperRadios, IDC_DVI2PDF_INFER_PAPER);
      break;
    case PaperChoice::kFromList:
      SelectRadio(dialog, kPaperRadios, IDC_DVI2PDF_PAPER_FROM_LIST);
      break;
    case PaperChoice::kInNumbers:
      SelectRadio(dialog, kPaperRadios, IDC_DVI2PDF_PAPER_IN_NUMBERS);
      break;
    case PaperChoice::kNone:
      SelectRadio(dialog, kPaperRadios, IDC_DVI2PDF_NO_PAPER);
      break;
  }
  SetText(dialog, IDC_PROGRAM, GetIniString(Setting::kDVI2PDFProgram));
  SetText(dialog, IDC_OPTION, GetIniString(Setting::kDVI2PDFOption));
  SetText(dialog, IDC_PAPER_X, GetIniString(Setting::kDVI2PDFPaperSizeX));
  SetText(dialog, IDC_PAPER_Y, GetIniString(Setting::kDVI2PDFPaperSizeY));
  ApplyRules(dialog);
  return true;
}

bool DVI2PDFSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved =
          WriteIniInt(Setting::kDVI2PDFWhichProgram,
                      StoredNumber(IsChecked(dialog, IDC_DVIPDFMX) ? ProgramChoice::kSecond
                                                                   : ProgramChoice::kUsers));
      int paper = CheckedRadio(dialog, kPaperRadios);
      saved &=
          WriteIniInt(Setting::kDVI2PDFWhichPaperSize,
                      StoredNumber(paper == IDC_DVI2PDF_INFER_PAPER        ? PaperChoice::kFromClass
                                   : paper == IDC_DVI2PDF_PAPER_FROM_LIST  ? PaperChoice::kFromList
                                   : paper == IDC_DVI2PDF_PAPER_IN_NUMBERS ? PaperChoice::kInNumbers
                                                                           : PaperChoice::kNone));
      saved &= WriteIniString(Setting::kDVI2PDFProgram, Text(dialog, IDC_PROGRAM));
      saved &= WriteIniString(Setting::kDVI2PDFOption, Text(dialog, IDC_OPTION));
      saved &= WriteIniString(Setting::kDVI2PDFPaperSizeFromList,
                              vklib::window::Combo(dialog, IDC_DVI2PDF_PAPER_LIST).GetText());
      saved &= WriteIniString(Setting::kDVI2PDFPaperSizeX, Text(dialog, IDC_PAPER_X));
      saved &= WriteIniString(Setting::kDVI2PDFPaperSizeY, Text(dialog, IDC_PAPER_Y));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case IDC_DVIPDFMX:
    case IDC_OTHER_PROGRAM:
      SelectRadio(dialog, kProgramRadios, id);
      ApplyRules(dialog);
      return true;
    case IDC_DVI2PDF_NO_PAPER:
    case IDC_DVI2PDF_INFER_PAPER:
    case IDC_DVI2PDF_PAPER_FROM_LIST:
    case IDC_DVI2PDF_PAPER_IN_NUMBERS:
      SelectRadio(dialog, kPaperRadios, id);
      ApplyRules(dialog);
      return true;
    default:
      return false;
  }
}
