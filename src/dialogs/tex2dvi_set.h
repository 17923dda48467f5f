#pragma once

#include "dialogs/settings_dialog.h"
#include "resources/resource_ids.h"

// The TeX-to-DVI settings (IDD_TEX2DVI, section "TeX2DVI"): a format file from the list of those
// installed, or a program; extra options; the dependency analysis and its bound. Its buttons
// open the BibTeX and MakeIndex settings.
class TeX2DVISet : public SettingsDialog {
 public:
  explicit TeX2DVISet(HINSTANCE instance) : SettingsDialog(instance, IDD_TEX2DVI) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  static void ApplyRules(vklib::window::Dialog& dialog);
};
