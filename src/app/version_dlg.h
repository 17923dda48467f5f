#pragma once

#include "app/main_wnd.h"
#include "vklib/window/modal_dialog.h"

// The About box (dialog 102): OK and the close box end it.
class MainWnd::Version : public vklib::window::BaseModalDlg {
 public:
  using BaseModalDlg::BaseModalDlg;

 protected:
  bool OnCommand(vklib::window::Dialog& dialog, int id, int code) override;
};
