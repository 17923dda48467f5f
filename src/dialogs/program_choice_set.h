#pragma once

#include <utility>
#include <vector>

#include "dialogs/settings_dialog.h"
#include "resources/resource_ids.h"
#include "settings/setting_table.h"

// The dialogs that choose the program of a step: a radio per known program, one for the user's
// own program (IDC_OTHER_PROGRAM; typed into IDC_PROGRAM, which is read-only unless that radio
// is checked), and the extra options (IDC_OPTION). Each writes its choice, "Program" and
// "Option" settings.
class ProgramChoiceSet : public SettingsDialog {
 public:
  struct Table {
    int template_id;
    Setting choice;  // "WhichProgram" or "IsGhostScript"
    Setting program;
    Setting option;
    std::vector<std::pair<int, int>> radios;  // radio id and the number it stores
    int otherwise;                            // the radio checked for any other value
  };

  ProgramChoiceSet(HINSTANCE instance, const Table& table);

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  void Select(vklib::window::Dialog& dialog, int radio);

  const Table& table_;
  std::vector<int> radio_ids_;
};

class BibTeXSet : public ProgramChoiceSet {
 public:
  explicit BibTeXSet(HINSTANCE instance);
};

class MakeIndexSet : public ProgramChoiceSet {
 public:
  explicit MakeIndexSet(HINSTANCE instance);
};

class DVI2PSSet : public ProgramChoiceSet {
 public:
  explicit DVI2PSSet(HINSTANCE instance);
};

class PS2PDFSet : public ProgramChoiceSet {
 public:
  explicit PS2PDFSet(HINSTANCE instance);
};
