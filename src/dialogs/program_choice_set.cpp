#include "dialogs/program_choice_set.h"

#include "settings/settings.h"
#include "settings/stored_choices.h"

namespace {

constexpr int kFirst = StoredNumber(ProgramChoice::kFirst);
constexpr int kSecond = StoredNumber(ProgramChoice::kSecond);
constexpr int kUsers = StoredNumber(ProgramChoice::kUsers);

const ProgramChoiceSet::Table kBibTeX{
    105,
    Setting::kBibTeXWhichProgram,
    Setting::kBibTeXProgram,
    Setting::kBibTeXOption,
    {{1009, kFirst}, {1017, kSecond}, {ProgramChoiceSet::kUsersProgram, kUsers}},
    1017};
const ProgramChoiceSet::Table kMakeIndex{
    104,
    Setting::kMakeIndexWhichProgram,
    Setting::kMakeIndexProgram,
    Setting::kMakeIndexOption,
    {{1010, kFirst}, {1012, kSecond}, {ProgramChoiceSet::kUsersProgram, kUsers}},
    1012};
const ProgramChoiceSet::Table kDVI2PS{
    106,
    Setting::kDVI2PSWhichProgram,
    Setting::kDVI2PSProgram,
    Setting::kDVI2PSOption,
    {{1021, kFirst}, {1022, kSecond}, {ProgramChoiceSet::kUsersProgram, kUsers}},
    1022};
const ProgramChoiceSet::Table kPS2PDF{108,
                                      Setting::kPS2PDFIsGhostScript,
                                      Setting::kPS2PDFProgram,
                                      Setting::kPS2PDFOption,
                                      {{1033, 1}, {ProgramChoiceSet::kUsersProgram, 0}},
                                      1033};

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
  SetReadOnly(dialog, kProgramField, radio != kUsersProgram);
}

bool ProgramChoiceSet::OnInit(vklib::window::Dialog& dialog) {
  int stored = GetIniInt(table_.choice);
  int radio = table_.otherwise;
  for (const auto& [id, value] : table_.radios) {
    if (value == stored) radio = id;
  }
  Select(dialog, radio);
  SetText(dialog, kProgramField, GetIniString(table_.program));
  SetText(dialog, kOptionField, GetIniString(table_.option));
  return true;
}

bool ProgramChoiceSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  if (id == IDOK) {
    bool saved = true;
    for (const auto& [radio, value] : table_.radios) {
      if (IsChecked(dialog, radio)) saved &= WriteIniInt(table_.choice, value);
    }
    saved &= WriteIniString(table_.program, Text(dialog, kProgramField));
    saved &= WriteIniString(table_.option, Text(dialog, kOptionField));
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
