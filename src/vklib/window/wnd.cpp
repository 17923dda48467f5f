#include "vklib/window/wnd.h"

#include <functional>

namespace vklib::window {

void ScrollBar::Apply(UINT mask) {
  SCROLLINFO info = info_;
  info.fMask = mask;
  SetScrollInfo(window_, bar_, &info, TRUE);
  Read();
}

void ScrollBar::SetRangeAndPage(int minimum, int maximum, unsigned page) {
  if (info_.nMin == minimum && info_.nMax == maximum && info_.nPage == page) return;
  info_.nMin = minimum;
  info_.nMax = maximum;
  info_.nPage = page;
  Apply(SIF_RANGE | SIF_PAGE);
}

void ScrollBar::SetPosition(int position) {
  info_.nPos = position;
  Apply(SIF_POS);
}

const SCROLLINFO& ScrollBar::Read() {
  info_.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(window_, bar_, &info_);
  return info_;
}

Wnd::Wnd(HWND window) : window_(window), vertical_(window, SB_VERT), horizontal_(window, SB_HORZ) {
  ReadMetrics();
}

void Wnd::ReadMetrics() {
  ScopedGetDC dc(window_);
  if (font_) {
    ScopedSelectObject select(dc, font_.get());
    GetTextMetricsA(dc, &metrics_);
  } else {
    GetTextMetricsA(dc, &metrics_);
  }
}

void Wnd::ScrollPixels(int dx, int dy) {
  ScrollWindowEx(window_, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
}

void Wnd::Invalidate(const RECT* rect) {
  InvalidateRect(window_, rect, FALSE);
}

void Wnd::SetFont(const std::string& face, int height, int width, int weight) {
  font_face_ = face;
  font_height_ = height;
  font_width_ = width;
  font_weight_ = weight;
  font_.reset(CreateFontA(height, width, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                          FIXED_PITCH | FF_MODERN, face.c_str()));
  ReadMetrics();
}

namespace {

MenuItem* FindItem(MenuItems& items, int id) {
  for (MenuItem& item : items) {
    if (item.id == id) return &item;
    if (item.submenu) {
      if (MenuItem* found = FindItem(*item.submenu, id)) return found;
    }
  }
  return nullptr;
}

}  // namespace

bool Wnd::AddMenuItem(const std::string& title, int id) {
  if (id != 0 && FindItem(menu_, id) != nullptr) return false;
  menu_.push_back({title, id, nullptr});
  return true;
}

bool Wnd::AddMenuItem(int parent_id, const std::string& title, int id) {
  MenuItem* parent = parent_id != 0 ? FindItem(menu_, parent_id) : nullptr;
  if (parent == nullptr || (id != 0 && FindItem(menu_, id) != nullptr)) return false;
  if (!parent->submenu) parent->submenu = std::make_unique<MenuItems>();
  parent->submenu->push_back({title, id, nullptr});
  return true;
}

void Wnd::ClearMenu() {
  menu_.clear();
  default_command_ = 0;
}

void InsertMenuItems(HMENU menu, const MenuItems& items, int default_command) {
  UINT position = 0;
  for (const MenuItem& item : items) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_TYPE;
    info.wID = static_cast<UINT>(item.id);
    info.fType = item.id == 0 && !item.submenu ? MFT_SEPARATOR : MFT_STRING;
    std::string title = item.title;
    info.dwTypeData = title.data();
    if (item.submenu) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = CreateMenu();
      InsertMenuItems(info.hSubMenu, *item.submenu, default_command);
    }
    InsertMenuItemA(menu, position, TRUE, &info);
    if (default_command != 0 && item.id == default_command)
      SetMenuDefaultItem(menu, position, TRUE);
    ++position;
  }
}

void Wnd::ApplyMenuBar() {
  HMENU old_bar = GetMenu(window_);
  HMENU bar = CreateMenu();
  InsertMenuItems(bar, menu_, default_command_);
  SetMenu(window_, bar);
  if (old_bar != nullptr) DestroyMenu(old_bar);  // takes its submenus with it
  DrawMenuBar(window_);
}

int Wnd::ShowMessageBox(const std::string& text, const std::string& caption) {
  switch (::MessageBoxA(window_, text.c_str(), caption.c_str(), 0)) {
    case IDOK:
      return 0;
    case IDYES:
      return 1;
    case IDNO:
      return 2;
    case IDCANCEL:
      return 3;
    default:
      return 4;
  }
}

}  // namespace vklib::window
