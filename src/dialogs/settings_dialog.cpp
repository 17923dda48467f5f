#include "dialogs/settings_dialog.h"

#include "settings/settings.h"
#include "vklib/window/controls.h"
#include "vklib/window/popup_menu.h"

using vklib::window::CheckBox;
using vklib::window::Dialog;

void SettingsDialog::SelectRadio(Dialog& dialog, const std::vector<int>& radios, int chosen) {
  for (int id : radios) {
    CheckBox radio(dialog, id);
    if (id == chosen) {
      radio.Check();
    } else {
      radio.Uncheck();
    }
  }
}

bool SettingsDialog::IsChecked(Dialog& dialog, int id) {
  return CheckBox(dialog, id).IsChecked();
}

int SettingsDialog::CheckedRadio(Dialog& dialog, const std::vector<int>& radios) {
  for (int id : radios) {
    if (IsChecked(dialog, id)) return id;
  }
  return 0;
}

void SettingsDialog::FillList(Dialog& dialog, int id, const std::vector<std::string>& names,
                              const std::string& selected) {
  vklib::window::Combo list(dialog, id);
  for (size_t i = 0; i < names.size(); ++i) {
    list.Add(names[i]);
    if (names[i] == selected) list.Select(static_cast<int>(i));
  }
}

std::string SettingsDialog::Text(Dialog& dialog, int id) {
  return vklib::window::Edit(dialog, id).GetText();
}

void SettingsDialog::SetText(Dialog& dialog, int id, const std::string& text) {
  vklib::window::Edit(dialog, id).SetText(text);
}

void SettingsDialog::SetReadOnly(Dialog& dialog, int id, bool read_only) {
  vklib::window::Edit(dialog, id).SetReadOnly(read_only);
}

void SettingsDialog::Enable(Dialog& dialog, int id, bool enable) {
  vklib::window::Control(dialog, id).Enable(enable);
}

void SettingsDialog::EndSaved(Dialog& dialog, bool saved) {
  if (!saved) dialog.ShowMessageBox(UnwritableSettingsMessage(), "Pressel2");
  dialog.End(1);
}

void SettingsDialog::Browse(Dialog& dialog, int field, const std::string& filter,
                            const std::string& title, const std::string& initial_directory) {
  std::string path;
  if (vklib::window::OpenFileDialog(dialog.Handle(), path, filter, title, initial_directory)) {
    SetText(dialog, field, path);
  }
}
