#pragma once

#include "dialogs/settings_dialog.h"

// The DVI-to-PDF settings (dialog 107, section "DVI2PDF"): the program, and the paper size given
// to it (none, inferred from the document's class options, from a list, or in numbers).
class DVI2PDFSet : public SettingsDialog {
 public:
  static constexpr int kTemplate = 107;
  static constexpr int kDvipdfmx = 1028;
  static constexpr int kUsersProgram = 1013;
  static constexpr int kProgramField = 1001;
  static constexpr int kNoPaper = 1060;
  static constexpr int kInferPaper = 1061;
  static constexpr int kPaperFromList = 1062;
  static constexpr int kPaperList = 1063;
  static constexpr int kPaperInNumbers = 1064;
  static constexpr int kPaperX = 1047;
  static constexpr int kPaperY = 1048;
  static constexpr int kOptionField = 1006;

  explicit DVI2PDFSet(HINSTANCE instance) : SettingsDialog(instance, kTemplate) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  static void ApplyRules(vklib::window::Dialog& dialog);
};

// The DVI viewer settings (dialog 109, section "DVIOUT"): dviout with the paper size it is told,
// or another viewer with its arguments.
class DVIOUTSet : public SettingsDialog {
 public:
  static constexpr int kTemplate = 109;
  static constexpr int kUseDviout = 1037;
  static constexpr int kDvioutPath = 1038;
  static constexpr int kBrowseDviout = 1039;
  static constexpr int kMaximize = 1040;
  static constexpr int kTellPaper = 1041;
  static constexpr int kInferPaper = 1042;
  static constexpr int kPaperFromList = 1045;
  static constexpr int kPaperList = 1044;
  static constexpr int kPaperInNumbers = 1046;
  static constexpr int kPaperX = 1047;
  static constexpr int kPaperY = 1048;
  static constexpr int kUseOther = 1013;
  static constexpr int kProgramField = 1001;
  static constexpr int kBrowseProgram = 1051;
  static constexpr int kArgumentField = 1059;

  explicit DVIOUTSet(HINSTANCE instance) : SettingsDialog(instance, kTemplate) {}

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  static void ApplyRules(vklib::window::Dialog& dialog);
};
