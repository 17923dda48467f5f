#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "vklib/window/child_control.h"
#include "vklib/window/wnd.h"

namespace vklib::window {

// The property that binds a window to its object.
inline constexpr char kWindowProperty[] = "VELKARO_WINDOW_PROP";

// Where a mouse message happened, in client coordinates (screen ones for the wheel).
struct MouseEvent {
  HWND window;
  int x;
  int y;
};

// A window class of ours. One window procedure serves every class: it finds the object of a
// window by its property and calls the handler of each message it knows, with the arguments
// unpacked. A handler answers yes (handled: the procedure returns 0, or the handler's result
// where the message has one) or no (DefWindowProcA runs).
class BaseWnd {
 public:
  BaseWnd(std::string class_name, DWORD style, HINSTANCE instance, bool quit_on_destroy);
  virtual ~BaseWnd();
  BaseWnd(const BaseWnd&) = delete;
  BaseWnd& operator=(const BaseWnd&) = delete;

  // Registers the class if needed and creates the window; the facade, or null on failure or
  // when the window exists already.
  Wnd* Create(HWND parent, HCURSOR cursor);
  // The facade while the window lives, else null.
  Wnd* Facade() const { return facade_.get(); }
  HWND Handle() const { return facade_ ? facade_->Handle() : nullptr; }
  // A child control to subclass when the window is created.
  void AddChildControl(int id, ChildControl& handler) { children_.Add(id, handler); }

 protected:
  virtual bool OnCreate(Wnd&) { return false; }
  virtual bool OnDestroy(Wnd&) { return true; }
  virtual bool OnClose(Wnd&) { return false; }
  virtual bool OnPaint(Wnd&) { return false; }
  virtual bool OnSize(Wnd&, int /*type*/, int /*width*/, int /*height*/) { return false; }
  virtual bool OnSetFocus(Wnd&, Wnd& /*lost*/) { return false; }
  virtual bool OnKillFocus(Wnd&, Wnd& /*gained*/) { return false; }
  virtual bool OnMouseMove(Wnd&, const MouseEvent&, WPARAM /*keys*/) { return false; }
  virtual bool OnLButtonDown(Wnd&, const MouseEvent&, bool /*double_click*/) { return false; }
  virtual bool OnLButtonUp(Wnd&, const MouseEvent&) { return false; }
  virtual bool OnRButtonDown(Wnd&, const MouseEvent&, bool /*double_click*/) { return false; }
  virtual bool OnRButtonUp(Wnd&, const MouseEvent&) { return false; }
  virtual bool OnMButtonDown(Wnd&, const MouseEvent&, bool /*double_click*/) { return false; }
  virtual bool OnMButtonUp(Wnd&, const MouseEvent&) { return false; }
  virtual bool OnMouseWheel(Wnd&, const MouseEvent&, int /*notches*/, int /*keys*/) {
    return false;
  }
  virtual bool OnKey(Wnd&, bool /*down*/, unsigned /*key*/, int /*repeat*/) { return false; }
  virtual bool OnChar(Wnd&, unsigned /*code*/, int /*repeat*/) { return false; }
  virtual bool OnImeComposition(Wnd&) { return false; }
  virtual bool OnHScroll(Wnd&, int /*delta*/) { return false; }
  virtual bool OnVScroll(Wnd&, int /*delta*/) { return false; }
  virtual bool OnCommand(Wnd&, int /*id*/, int /*code*/) { return false; }
  virtual bool OnNotify(Wnd&, NMHDR*, LRESULT& /*result*/) { return false; }
  virtual bool OnDropFiles(const std::vector<std::string>& /*paths*/) { return false; }
  // Every message, before all others; `result` starts as 1.
  virtual bool OnMessage(Wnd&, UINT, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }

  HINSTANCE Instance() const { return instance_; }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Dispatch(Wnd& wnd, UINT message, WPARAM w, LPARAM l);

  std::unique_ptr<Wnd> facade_;
  DWORD style_;
  std::string class_name_;
  bool quit_on_destroy_;
  HINSTANCE instance_;
  ChildControls children_;
  int wheel_rest_ = 0;
  int tilt_rest_ = 0;
};

// The change of position a scroll-bar request asks for, in scroll units (0 for the end of a
// drag and for the thumb's final position).
int ScrollDelta(int request, const SCROLLINFO& info);
// Whole notches of a wheel message (120 units each). A touchpad sends smaller turns: they add up
// in `rest`, kept by the window that gets them, until they make a notch.
int WheelNotches(WPARAM w, int& rest);

}  // namespace vklib::window
