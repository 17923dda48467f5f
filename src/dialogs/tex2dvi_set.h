#pragma once

#include "dialogs/settings_dialog.h"

// The TeX-to-DVI settings (dialog 103, section "TeX2DVI"): a format file from the list of those
// installed, or a program; extra options; the dependency analysis and its bound. Its buttons
// open the BibTeX and MakeIndex settings.
class TeX2DVISet : public SettingsDialog {
 public:
  static constexpr int kTemplate = 103;
  static constexpr int kUseFormat = 1002;
  static constexpr int kFormatList = 1003;
  static constexpr int kUseProgram = 1004;
  static constexpr int kProgramField = 1001;
  static constexpr int kOptionField = 1006;
  static constexpr int kAnalyze = 1007;
  static constexpr int kMaxCompileField = 1008;
  static constexpr int kBibTeXButton = 1009;
  static constexpr int kMakeIndexButton = 1010;

  explicit TeX2DVISet(HINSTANCE instance) : SettingsDialog(instance, kTemplate) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  static void ApplyRules(vklib::window::Dialog& dialog);
};
