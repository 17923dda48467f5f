#pragma once

#include <string>
#include <vector>

#include "vklib/window/modal_dialog.h"

// What the settings dialogs share: each edits sections of the settings file, is filled from it
// when it opens and writes it back only on OK (Cancel and the close box write nothing).
class SettingsDialog : public vklib::window::BaseModalDlg {
 public:
  SettingsDialog(HINSTANCE instance, int template_id)
      : BaseModalDlg(instance), template_id_(template_id) {}

  // Shows the dialog modally over a window; 1 after OK, 0 otherwise.
  INT_PTR Show(HWND owner) { return DoModal(owner, template_id_); }

 protected:
  // Checks one radio of a set and clears the others (they need not form one dialog group).
  static void SelectRadio(vklib::window::Dialog& dialog, const std::vector<int>& radios,
                          int chosen);
  static bool IsChecked(vklib::window::Dialog& dialog, int id);
  // The radio of a set that is checked, or 0.
  static int CheckedRadio(vklib::window::Dialog& dialog, const std::vector<int>& radios);
  // Fills a drop-down list and selects the entry equal to `selected` (none when no entry is).
  static void FillList(vklib::window::Dialog& dialog, int id, const std::vector<std::string>& names,
                       const std::string& selected);
  static std::string Text(vklib::window::Dialog& dialog, int id);
  static void SetText(vklib::window::Dialog& dialog, int id, const std::string& text);
  static void SetReadOnly(vklib::window::Dialog& dialog, int id, bool read_only);
  static void Enable(vklib::window::Dialog& dialog, int id, bool enable);
  // Ends the dialog after OK: with 1, once the user has been told when the values could not be
  // stored.
  static void EndSaved(vklib::window::Dialog& dialog, bool saved);
  // The open-file dialog over this one; a confirmed choice replaces the text of a field.
  static void Browse(vklib::window::Dialog& dialog, int field, const std::string& filter,
                     const std::string& title, const std::string& initial_directory);

 private:
  int template_id_;
};
