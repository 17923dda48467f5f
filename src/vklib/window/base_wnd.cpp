#include "vklib/window/base_wnd.h"

#include <windowsx.h>

#include <imm.h>
#include <shellapi.h>

namespace vklib::window {

int ScrollDelta(int request, const SCROLLINFO& info) {
  switch (request) {
    case SB_LINEUP:
      return -1;
    case SB_LINEDOWN:
      return 1;
    case SB_PAGEUP:
      return -static_cast<int>(info.nPage);
    case SB_PAGEDOWN:
      return static_cast<int>(info.nPage);
    case SB_THUMBTRACK:
      return info.nTrackPos - info.nPos;
    case SB_TOP:
      return info.nMin - info.nPos;
    case SB_BOTTOM:
      return info.nMax - info.nPos;
    default:
      return 0;
  }
}

int WheelNotches(WPARAM w, int& rest) {
  rest += static_cast<short>(HIWORD(w));
  const int notches = rest / WHEEL_DELTA;
  rest -= notches * WHEEL_DELTA;
  return notches;
}

BaseWnd::BaseWnd(std::string class_name, DWORD style, HINSTANCE instance, bool quit_on_destroy)
    : style_(style),
      class_name_(std::move(class_name)),
      quit_on_destroy_(quit_on_destroy),
      instance_(instance) {}

BaseWnd::~BaseWnd() {
  // The class goes with the last window of it.
  if (FindWindowA(class_name_.c_str(), nullptr) == nullptr) {
    UnregisterClassA(class_name_.c_str(), instance_);
  }
}

Wnd* BaseWnd::Create(HWND parent, HCURSOR cursor) {
  if (facade_) return nullptr;
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExA(instance_, class_name_.c_str(), &existing)) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = WindowProcedure;
    window_class.hInstance = instance_;
    window_class.hCursor = cursor;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = class_name_.c_str();
    if (!RegisterClassExA(&window_class)) return nullptr;
  }
  HWND window = CreateWindowExA(0, class_name_.c_str(), "", style_, CW_USEDEFAULT, 0, CW_USEDEFAULT,
                                0, parent, nullptr, instance_, this);
  if (window == nullptr) return nullptr;
  return facade_.get();
}

LRESULT CALLBACK BaseWnd::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* object = static_cast<BaseWnd*>(GetPropA(window, kWindowProperty));
  if (object == nullptr) {
    if (message != WM_CREATE) return DefWindowProcA(window, message, w, l);
    object = static_cast<BaseWnd*>(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams);
    SetPropA(window, kWindowProperty, object);
    object->facade_ = std::make_unique<Wnd>(window);
  }
  if (!object->facade_) return DefWindowProcA(window, message, w, l);
  return object->Dispatch(*object->facade_, message, w, l);
}

LRESULT BaseWnd::Dispatch(Wnd& wnd, UINT message, WPARAM w, LPARAM l) {
  HWND window = wnd.Handle();
  LRESULT result = 1;
  if (OnMessage(wnd, message, w, l, result)) return result;

  const MouseEvent mouse{window, GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  bool handled = false;
  switch (message) {
    case WM_CREATE: {
      LRESULT created = OnCreate(wnd) ? 0 : DefWindowProcA(window, message, w, l);
      children_.Subclass(window);
      return created;
    }
    case WM_DESTROY:
      if (!OnDestroy(wnd)) return DefWindowProcA(window, message, w, l);
      RemovePropA(window, kWindowProperty);
      children_.Restore(window);
      facade_.reset();
      if (quit_on_destroy_) PostQuitMessage(0);
      return 0;
    case WM_CLOSE:
      handled = OnClose(wnd);
      break;
    case WM_PAINT:
      handled = OnPaint(wnd);
      break;
    case WM_SIZE:
      handled = OnSize(wnd, static_cast<int>(w), LOWORD(l), HIWORD(l));
      break;
    case WM_SETFOCUS: {
      Wnd lost(reinterpret_cast<HWND>(w));
      handled = OnSetFocus(wnd, lost);
      break;
    }
    case WM_KILLFOCUS: {
      Wnd gained(reinterpret_cast<HWND>(w));
      handled = OnKillFocus(wnd, gained);
      break;
    }
    case WM_MOUSEMOVE:
      handled = OnMouseMove(wnd, mouse, w);
      break;
    case WM_LBUTTONDOWN:
      handled = OnLButtonDown(wnd, mouse, false);
      break;
    case WM_LBUTTONDBLCLK:
      handled = OnLButtonDown(wnd, mouse, true);
      break;
    case WM_LBUTTONUP:
      handled = OnLButtonUp(wnd, mouse);
      break;
    case WM_RBUTTONDOWN:
      handled = OnRButtonDown(wnd, mouse, false);
      break;
    case WM_RBUTTONDBLCLK:
      handled = OnRButtonDown(wnd, mouse, true);
      break;
    case WM_RBUTTONUP:
      handled = OnRButtonUp(wnd, mouse);
      break;
    case WM_MBUTTONDOWN:
      handled = OnMButtonDown(wnd, mouse, false);
      break;
    case WM_MBUTTONDBLCLK:
      handled = OnMButtonDown(wnd, mouse, true);
      break;
    case WM_MBUTTONUP:
      handled = OnMButtonUp(wnd, mouse);
      break;
    case WM_MOUSEWHEEL:
      handled = OnMouseWheel(wnd, mouse, WheelNotches(w, wheel_rest_), LOWORD(w));
      break;
    case WM_MOUSEHWHEEL:
      // A tilt to the right scrolls right, as a Shift+turn toward the user does.
      handled = OnMouseWheel(wnd, mouse, -WheelNotches(w, tilt_rest_), LOWORD(w) | MK_SHIFT);
      break;
    case WM_KEYDOWN:
      handled = OnKey(wnd, true, static_cast<unsigned>(w), LOWORD(l));
      break;
    case WM_KEYUP:
      handled = OnKey(wnd, false, static_cast<unsigned>(w), LOWORD(l));
      break;
    case WM_CHAR:
      handled = OnChar(wnd, static_cast<unsigned>(w), LOWORD(l));
      break;
    case WM_IME_CHAR:
      return 0;  // the result string already came with WM_IME_COMPOSITION
    case WM_IME_COMPOSITION:
      if ((l & GCS_RESULTSTR) == 0) return DefWindowProcA(window, message, w, l);
      handled = OnImeComposition(wnd);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL: {
      ScrollBar& bar = message == WM_HSCROLL ? wnd.Horizontal() : wnd.Vertical();
      int delta = ScrollDelta(LOWORD(w), bar.Read());
      handled = message == WM_HSCROLL ? OnHScroll(wnd, delta) : OnVScroll(wnd, delta);
      break;
    }
    case WM_COMMAND:
      handled = OnCommand(wnd, LOWORD(w), HIWORD(w));
      break;
    case WM_NOTIFY: {
      LRESULT notify_result = 1;
      if (OnNotify(wnd, reinterpret_cast<NMHDR*>(l), notify_result)) return notify_result;
      return DefWindowProcA(window, message, w, l);
    }
    case WM_DROPFILES: {
      HDROP drop = reinterpret_cast<HDROP>(w);
      std::vector<std::string> paths;
      UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        UINT length = DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size()));
        path.resize(length);
        paths.push_back(path);
      }
      DragFinish(drop);
      OnDropFiles(paths);
      return 0;
    }
    default:
      break;
  }
  return handled ? 0 : DefWindowProcA(window, message, w, l);
}

}  // namespace vklib::window
