#pragma once

#include "dialogs/settings_dialog.h"
#include "resources/resource_ids.h"

// The DVI-to-PDF settings (IDD_DVI2PDF, section "DVI2PDF"): the program, and the paper size
// given to it (none, inferred from the document's class options, from a list, or in numbers).
class DVI2PDFSet : public SettingsDialog {
 public:
  explicit DVI2PDFSet(HINSTANCE instance) : SettingsDialog(instance, IDD_DVI2PDF) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  static void ApplyRules(vklib::window::Dialog& dialog);
};

// The DVI viewer settings (IDD_DVIOUT, section "DVIOUT"): dviout with the paper size it is told,
// or another viewer with its arguments.
class DVIOUTSet : public SettingsDialog {
 public:
  explicit DVIOUTSet(HINSTANCE instance) : SettingsDialog(instance, IDD_DVIOUT) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  static void ApplyRules(vklib::window::Dialog& dialog);
};
