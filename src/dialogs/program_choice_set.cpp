#include "dialogs/program_choice_set.h"

#include "settings/settings.h"

namespace {

const ProgramChoiceSet::Table kBibTeX{105,
                                      "BibTeX",
                                      "WhichProgram",
                                      {{1009, 1}, {1017, 2}, {ProgramChoiceSet::kUsersProgram, 3}},
                                      1017};
const ProgramChoiceSet::Table kMakeIndex{
    104,
    "MakeIndex",
    "WhichProgram",
    {{1010, 1}, {1012, 2}, {ProgramChoiceSet::kUsersProgram, 3}},
    1012};
const ProgramChoiceSet::Table kDVI2PS{106,
                                      "DVI2PS",
                                      "WhichProgram",
                                      {{1021, 1}, {1022, 2}, {ProgramChoiceSet::kUsersProgram, 3}},
                                      1022};
const ProgramChoiceSet::Table kPS2PDF{
    108, "PS2PDF", "IsGhostScript", {{1033, 1}, {ProgramChoiceSet::kUsersProgram, 0}}, 1033};

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
  int stored = GetIniInt(table_.section, table_.key);
  int radio = table_.otherwise;
  for (const auto& [id, value] : table_.radios) {
    if (value == stored) radio = id;
  }
  Select(dialog, radio);
  SetText(dialog, kProgramField, GetIniString(table_.section, "Program"));
  SetText(dialog, kOptionField, GetIniString(table_.section, "Option"));
  return true;
}

bool ProgramChoiceSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  if (id == IDOK) {
    bool saved = true;
    for (const auto& [radio, value] : table_.radios) {
      if (IsChecked(dialog, radio)) saved &= WriteIniInt(table_.section, table_.key, value);
    }
    saved &= WriteIniString(table_.section, "Program", Text(dialog, kProgramField));
    saved &= WriteIniString(table_.section, "Option", Text(dialog, kOptionField));
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
