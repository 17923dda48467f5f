#pragma once

#include "dialogs/settings_dialog.h"

// The PostScript and PDF viewers (dialog 110, sections "PSPreview" and "PDFPreview").
class PreviewSet : public SettingsDialog {
 public:
  static constexpr int kTemplate = 110;
  static constexpr int kPSProgram = 1055;
  static constexpr int kBrowsePS = 1056;
  static constexpr int kPSArgument = 1057;
  static constexpr int kPDFProgram = 1053;
  static constexpr int kBrowsePDF = 1054;
  static constexpr int kPDFArgument = 1058;

  explicit PreviewSet(HINSTANCE instance) : SettingsDialog(instance, kTemplate) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;
};

// How the parent file of a document is found (dialog 111, section "TeX").
class TeXSet : public SettingsDialog {
 public:
  static constexpr int kTemplate = 111;
  static constexpr int kInfer = 1037;
  static constexpr int kOpenFile = 1066;
  static constexpr int kGiven = 1067;
  static constexpr int kParentField = 1068;
  static constexpr int kBrowse = 1069;

  explicit TeXSet(HINSTANCE instance) : SettingsDialog(instance, kTemplate) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;
};
