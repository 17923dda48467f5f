#include "vklib/window/child_control.h"

#include <windowsx.h>

#include "vklib/window/base_wnd.h"

namespace vklib::window {
namespace {

LRESULT CALLBACK ChildProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* entry = static_cast<ChildControls::Entry*>(GetPropA(window, kWindowProperty));
  if (entry == nullptr) return DefWindowProcA(window, message, w, l);
  ChildControl& handler = *entry->handler;
  LRESULT result = 1;
  if (handler.OnMessage(window, message, w, l, result)) return result;

  const MouseEvent mouse{window, GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  bool handled = false;
  switch (message) {
    case WM_INITDIALOG:
      handled = handler.OnInit(window);
      break;
    case WM_CLOSE:
      if (handler.OnClose(window)) return 1;
      break;
    case WM_DESTROY:
      handled = handler.OnDestroy(window);
      break;
    case WM_SETFOCUS:
      handled = handler.OnSetFocus(window, reinterpret_cast<HWND>(w));
      break;
    case WM_KILLFOCUS:
      handled = handler.OnKillFocus(window, reinterpret_cast<HWND>(w));
      break;
    case WM_MOUSEMOVE:
      handled = handler.OnMouseMove(mouse, w);
      break;
    case WM_LBUTTONDOWN:
      handled = handler.OnLButtonDown(mouse, false);
      break;
    case WM_LBUTTONDBLCLK:
      handled = handler.OnLButtonDown(mouse, true);
      break;
    case WM_LBUTTONUP:
      handled = handler.OnLButtonUp(mouse);
      break;
    case WM_RBUTTONDOWN:
      handled = handler.OnRButtonDown(mouse, false);
      break;
    case WM_RBUTTONDBLCLK:
      handled = handler.OnRButtonDown(mouse, true);
      break;
    case WM_RBUTTONUP:
      handled = handler.OnRButtonUp(mouse);
      break;
    case WM_MBUTTONDOWN:
      handled = handler.OnMButtonDown(mouse, false);
      break;
    case WM_MBUTTONDBLCLK:
      handled = handler.OnMButtonDown(mouse, true);
      break;
    case WM_MBUTTONUP:
      handled = handler.OnMButtonUp(mouse);
      break;
    case WM_MOUSEWHEEL:
      handled = handler.OnMouseWheel(mouse, WheelNotches(w, entry->wheel_rest), LOWORD(w));
      break;
    case WM_KEYDOWN:
      handled = handler.OnKey(window, true, static_cast<unsigned>(w), LOWORD(l));
      break;
    case WM_KEYUP:
      handled = handler.OnKey(window, false, static_cast<unsigned>(w), LOWORD(l));
      break;
    case WM_CHAR:
      handled = handler.OnChar(window, static_cast<unsigned>(w), LOWORD(l));
      break;
    case WM_COMMAND:
      handled = handler.OnCommand(window, LOWORD(w), HIWORD(w));
      break;
    case WM_NOTIFY:
      if (handler.OnNotify(window, reinterpret_cast<NMHDR*>(l), result)) return result;
      break;
    default:
      return handler.OnOtherMessage(window, message, w, l, entry->old_procedure);
  }
  return handled ? 0 : CallWindowProcA(entry->old_procedure, window, message, w, l);
}

}  // namespace

LRESULT ChildControl::OnOtherMessage(HWND window, UINT message, WPARAM w, LPARAM l, WNDPROC old) {
  return CallWindowProcA(old, window, message, w, l);
}

void ChildControls::Subclass(HWND parent) {
  for (Entry& entry : entries_) {
    HWND control = GetDlgItem(parent, entry.id);
    if (control == nullptr || entry.old_procedure != nullptr) continue;
    SetPropA(control, kWindowProperty, &entry);
    entry.old_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChildProcedure)));
  }
}

void ChildControls::Restore(HWND parent) {
  for (Entry& entry : entries_) {
    HWND control = GetDlgItem(parent, entry.id);
    if (control == nullptr || entry.old_procedure == nullptr) continue;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.old_procedure));
    RemovePropA(control, kWindowProperty);
    entry.old_procedure = nullptr;
  }
}

}  // namespace vklib::window
