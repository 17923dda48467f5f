#include "dialogs/program_choice_set.h"

#include "settings/settings.h"
#include "settings/stored_choices.h"

namespace {

constexpr int kFirst = StoredNumber(ProgramChoice::kFirst);
constexpr int kSecond = StoredNumber(ProgramChoice::kSecond);
constexpr int kUsers = StoredNumber(ProgramChoice::kUsers);

const ProgramChoiceSet::Table kBibTeX{
    IDD_BIBTEX,
    Setting::kBibTeXWhichProgram,
    Setting::kBibTeXProgram,
    Setting::kBibTeXOption,
    {{IDC_BIBTEX, kFirst}, {IDC_JAPANESE_BIBTEX, kSecond}, {IDC_OTHER_PROGRAM, kUsers}},
    IDC_JAPANESE_BIBTEX};
const ProgramChoiceSet::Table kMakeIndex{
    IDD_MAKEINDEX,
    Setting::kMakeIndexWhichProgram,
    Setting::kMakeIndexProgram,
    Setting::kMakeIndexOption,
    {{IDC_MAKEINDEX, kFirst}, {IDC_MENDEX, kSecond}, {IDC_OTHER_PROGRAM, kUsers}},
    IDC_MENDEX};
const ProgramChoiceSet::Table kDVI2PS{
    IDD_DVI2PS,
    Setting::kDVI2PSWhichProgram,
    Setting::kDVI2PSProgram,
    Setting::kDVI2PSOption,
    {{IDC_DVI2PS, kFirst}, {IDC_DVIPS, kSecond}, {IDC_OTHER_PROGRAM, kUsers}},
    IDC_DVIPS};
const ProgramChoiceSet::Table kPS2PDF{IDD_PS2PDF,
                                      Setting::kPS2PDFIsGhostScript,
                                      Setting::kPS2PDFProgram,
                                      Setting::kPS2PDFOption,
                                      {{IDC_GHOSTSCRIPT, 1}, {IDC_OTHER_PROGRAM, 0}},
                                      IDC_GHOSTSCRIPT};

}  // namespace

BibTeXSet::BibTeXSet(HINSTANCE instance) : ProgramChoiceSet(instance, kBibTeX) {}
MakeIndexSet::MakeIndexSet(HINSTANCE instance) : ProgramChoiceSet(instance, kMakeIndex) {}
DVI2PSSet::DVI2PSSet(HINSTANCE instance) : ProgramChoiceSet(instance, kDVI2PS) {}
PS2PDFSet::PS2PDFSet(HINSTANCE instance) : ProgramChoiceSet(instance, kPS2PDF) {}

ProgramChoiceSet::ProgramChoiceSet(HINSTANCE instance, const Table& table)
    : SettingsDialog(instance, table.template_id), table_(table) {
  for (const auto& [id, value] : table_.radios)
    radio_ids_.push_back(id);
}

void ProgramChoiceSet::Select(vklib::window::Dialog& dialog, int radio) {
  SelectRadio(dialog, radio_ids_, radio);
  SetReadOnly(dialog, IDC_PROGRAM, radio != IDC_OTHER_PROGRAM);
}

bool ProgramChoiceSet::OnInit(vklib::window::Dialog& dialog) {
  int stored = GetIniInt(table_.choice);
  int radio = table_.otherwise;
  for (const auto& [id, value] : table_.radios) {
    if (value == stored) radio = id;
  }
  Select(dialog, radio);
  SetText(dialog, IDC_PROGRAM, GetIniString(table_.program));
  SetText(dialog, IDC_OPTION, GetIniString(table_.option));
  return true;
}

bool ProgramChoiceSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  if (id == IDOK) {
    bool saved = true;
    for (const auto& [radio, value] : table_.radios) {
      if (IsChecked(dialog, radio)) saved &= WriteIniInt(table_.choice, value);
    }
    saved &= WriteIniString(table_.program, Text(dialog, IDC_PROGRAM));
    saved &= WriteIniString(table_.option, Text(dialog, IDC_OPTION));
    EndSaved(dialog, saved);
    return true;
  }
  if (id == IDCANCEL) {
    dialog.End(0);
    return true;
  }
  for (const auto& [radio, value] : table_.radios) {
    if (radio == id) {
      Select(dialog, id);
      return true;
    }
  }
  return false;
}
