#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "vklib/window/gdi.h"

namespace vklib::window {

// One item of a menu description: a title and a command id (0: a separator), with the items of
// its submenu when it opens one.
struct MenuItem {
  std::string title;
  int id = 0;
  std::unique_ptr<std::vector<MenuItem>> submenu;
};
using MenuItems = std::vector<MenuItem>;

// One scroll bar of a window, with what the system last kept of its range, page and position.
class ScrollBar {
 public:
  ScrollBar(HWND window, int bar) : window_(window), bar_(bar) {
    info_.cbSize = sizeof info_;
    info_.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  }
  // Range and page in one go; nothing is sent when they are what the bar holds already.
  void SetRangeAndPage(int minimum, int maximum, unsigned page);
  void SetPosition(int position);
  // Reads back what the system holds now.
  const SCROLLINFO& Read();
  int Position() const { return info_.nPos; }
  int Maximum() const { return info_.nMax; }
  unsigned Page() const { return info_.nPage; }

 private:
  void Apply(UINT mask);
  HWND window_;
  int bar_;
  SCROLLINFO info_{};
};

// The facade of a window that every handler receives: its handle, the metrics of its font, its
// scroll bars, its menu description, and the device context of a paint in progress.
class Wnd {
 public:
  explicit Wnd(HWND window);
  virtual ~Wnd() = default;
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;

  HWND Handle() const { return window_; }
  const TEXTMETRICA& Metrics() const { return metrics_; }
  ScrollBar& Vertical() { return vertical_; }
  ScrollBar& Horizontal() { return horizontal_; }

  // Moves the client area's pixels (ScrollWindowEx with SW_INVALIDATE).
  void ScrollPixels(int dx, int dy);
  // Marks a rectangle (or the whole client area) for painting, without erasing.
  void Invalidate(const RECT* rect = nullptr);
  // A fixed-pitch font of the face, height, width and weight; the metrics follow it.
  void SetFont(const std::string& face, int height, int width, int weight);
  HFONT Font() const { return font_.get(); }
  const std::string& FontFace() const { return font_face_; }
  int FontHeight() const { return font_height_; }
  int FontWidth() const { return font_width_; }
  int FontWeight() const { return font_weight_; }

  // The menu description: items are refused when their command id is already in it (a
  // separator, id 0, may repeat); an item under an unknown parent is refused.
  bool AddMenuItem(const std::string& title, int id);
  bool AddMenuItem(int parent_id, const std::string& title, int id);
  void ClearMenu();
  void SetDefaultCommand(int id) { default_command_ = id; }
  // Makes the description the window's menu bar (the old bar is destroyed).
  void ApplyMenuBar();

  // MessageBoxA with an OK button: 0 for IDOK, 1 IDYES, 2 IDNO, 3 IDCANCEL, 4 anything else.
  int ShowMessageBox(const std::string& text, const std::string& caption);

  // The device context of the paint in progress (BeginPaint), or null.
  HDC paint_dc = nullptr;

 protected:
  void ReadMetrics();

 private:
  HWND window_;
  TEXTMETRICA metrics_{};
  std::string font_face_;
  int font_height_ = 0;
  int font_width_ = 0;
  int font_weight_ = 0;
  UniqueFont font_;
  ScrollBar vertical_;
  ScrollBar horizontal_;
  MenuItems menu_;
  int default_command_ = 0;
};

// Fills a menu with items by position (separators for id 0, submenus where given).
void InsertMenuItems(HMENU menu, const MenuItems& items, int default_command);

}  // namespace vklib::window
