#pragma once

#include <windows.h>

#include <vector>

namespace vklib::window {

struct MouseEvent;

// The handler of a subclassed child control (a control of a window or a dialog whose window
// procedure we replace): each slot answers yes (handled) or no (the control's own procedure
// runs).
class ChildControl {
 public:
  virtual ~ChildControl() = default;
  virtual bool OnMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }
  virtual bool OnInit(HWND) { return false; }
  virtual bool OnClose(HWND) { return false; }
  virtual bool OnDestroy(HWND) { return false; }
  virtual bool OnSetFocus(HWND, HWND) { return false; }
  virtual bool OnKillFocus(HWND, HWND) { return false; }
  virtual bool OnMouseMove(const MouseEvent&, WPARAM) { return false; }
  virtual bool OnLButtonDown(const MouseEvent&, bool) { return false; }
  virtual bool OnLButtonUp(const MouseEvent&) { return false; }
  virtual bool OnRButtonDown(const MouseEvent&, bool) { return false; }
  virtual bool OnRButtonUp(const MouseEvent&) { return false; }
  virtual bool OnMButtonDown(const MouseEvent&, bool) { return false; }
  virtual bool OnMButtonUp(const MouseEvent&) { return false; }
  virtual bool OnMouseWheel(const MouseEvent&, int, int) { return false; }
  virtual bool OnKey(HWND, bool, unsigned, int) { return false; }
  virtual bool OnChar(HWND, unsigned, int) { return false; }
  virtual bool OnCommand(HWND, int, int) { return false; }
  virtual bool OnNotify(HWND, NMHDR*, LRESULT&) { return false; }
  // Every message that no slot above takes; its result is returned as it is.
  virtual LRESULT OnOtherMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC old);
};

// The child controls a window or dialog subclasses: each entry names a control id, its handler,
// and (once subclassed) the procedure it had before.
class ChildControls {
 public:
  struct Entry {
    int id;
    ChildControl* handler;
    WNDPROC old_procedure;
    int wheel_rest;  // of turns smaller than a notch
  };

  void Add(int id, ChildControl& handler) { entries_.push_back({id, &handler, nullptr, 0}); }
  // Replaces the procedure of each control found under `parent` and binds its handler.
  void Subclass(HWND parent);
  // Gives each control its own procedure back.
  void Restore(HWND parent);

 private:
  std::vector<Entry> entries_;
};

}  // namespace vklib::window
