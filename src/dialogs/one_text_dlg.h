#pragma once

#include <string>

#include "vklib/window/modal_dialog.h"

// A one-line text prompt (IDD_PROMPT): a caption, a prompt of up to two lines, an edit field,
// OK and Cancel.
class OneTextDlg : public vklib::window::BaseModalDlg {
 public:
  using BaseModalDlg::BaseModalDlg;

  // Shows the prompt over a window; true with the typed text on OK, false (answer untouched)
  // on Cancel.
  bool Run(HWND owner, const std::string& caption, const std::string& prompt, std::string& answer);

 protected:
  bool OnInit(vklib::window::Dialog& dialog) override;
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;

 private:
  std::string caption_;
  std::string prompt_;
  std::string answer_;
};
