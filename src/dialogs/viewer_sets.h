#pragma once

#include "dialogs/settings_dialog.h"
#include "resources/resource_ids.h"

// The PostScript and PDF viewers (IDD_PREVIEW, sections "PSPreview" and "PDFPreview").
class PreviewSet : public SettingsDialog {
 public:
  explicit PreviewSet(HINSTANCE instance) : SettingsDialog(instance, IDD_PREVIEW) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;
};

// How the parent file of a document is found, and the editor that opens a place named in the pane
// (IDD_TEX, section "TeX").
class TeXSet : public SettingsDialog {
 public:
  explicit TeXSet(HINSTANCE instance) : SettingsDialog(instance, IDD_TEX) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;
};
