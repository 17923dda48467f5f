#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "vklib/window/child_control.h"
#include "vklib/window/wnd.h"

namespace vklib::window {

// The facade of a dialog window: what a Wnd offers, and the text of its controls.
class Dialog : public Wnd {
 public:
  using Wnd::Wnd;
  HWND Item(int id) const { return GetDlgItem(Handle(), id); }
  // Closes a modal dialog with a result (EndDialog).
  void End(INT_PTR result) { EndDialog(Handle(), result); }
};

// A modal dialog made from a template of the program's resources. One dialog procedure serves
// every dialog: it binds the object to the dialog window by the window property on
// WM_INITDIALOG and calls the handler of each message it knows.
class BaseModalDlg {
 public:
  explicit BaseModalDlg(HINSTANCE instance) : instance_(instance) {}
  virtual ~BaseModalDlg() = default;
  BaseModalDlg(const BaseModalDlg&) = delete;
  BaseModalDlg& operator=(const BaseModalDlg&) = delete;

  // Shows the dialog of a template over a parent window; gives what it ended with.
  INT_PTR DoModal(HWND parent, int template_id);
  void AddChildControl(int id, ChildControl& handler) { children_.Add(id, handler); }

 protected:
  virtual bool OnInit(Dialog&) { return false; }
  // The close box: ends the dialog with 0.
  virtual bool OnClose(Dialog& dialog) {
    dialog.End(0);
    return false;
  }
  virtual bool OnDestroy(Dialog&) { return false; }
  virtual bool OnCommand(Dialog&, int /*id*/, int /*code*/) { return false; }
  virtual bool OnSize(Dialog&, int /*type*/, int /*width*/, int /*height*/) { return false; }
  virtual INT_PTR OnOtherMessage(Dialog&, UINT, WPARAM, LPARAM) { return 0; }
  virtual bool OnMessage(Dialog&, UINT, WPARAM, LPARAM, INT_PTR& /*result*/) { return false; }

  HINSTANCE Instance() const { return instance_; }

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM w, LPARAM l);

  std::unique_ptr<Dialog> dialog_;
  HINSTANCE instance_;
  ChildControls children_;
};

}  // namespace vklib::window
