#include "app/main_wnd.h"
#include "resources/resource_ids.h"
#include "vklib/window/popup_menu.h"

MainWnd::Edit::Edit(HINSTANCE instance, vklib::Process& process, LocationOpener open_location)
    : EditWnd(instance), process_(process), open_location_(std::move(open_location)) {}

bool MainWnd::Edit::OnKey(vklib::window::Wnd& wnd, bool down, unsigned key, int repeat) {
  // Backspace becomes a character for the child (WM_CHAR), never an edit of the pane.
  if (key == VK_BACK) return false;
  return EditWnd::OnKey(wnd, down, key, repeat);
}

bool MainWnd::Edit::OnChar(vklib::window::Wnd&, unsigned code, int) {
  return input_.OnChar(code, GetKeyState(VK_CONTROL) < 0, Core(), process_);
}

bool MainWnd::Edit::OnLButtonDown(vklib::window::Wnd& wnd, const vklib::window::MouseEvent& mouse,
                                  bool double_click) {
  // A double-click below the text is on no line, though the position clamps to the last one.
  const auto& buffer = Core().Buffer();
  const int row = (mouse.y - kTopMargin) / CellHeight() + wnd.Vertical().Position();
  if (double_click && mouse.y >= kTopMargin && row < buffer.DisplayRowCount()) {
    const std::string* line = buffer.Line(PositionAt(mouse.x, mouse.y).line);
    if (line != nullptr && open_location_(*line)) return true;
  }
  return EditWnd::OnLButtonDown(wnd, mouse, double_click);
}

bool MainWnd::Edit::OnRButtonDown(vklib::window::Wnd& wnd, const vklib::window::MouseEvent& mouse,
                                  bool double_click) {
  if (double_click) return false;
  vklib::window::MenuItems items;
  items.push_back({"全て選択", command::kSelectAll, nullptr});
  items.push_back({"コピー", command::kCopy, nullptr});
  switch (vklib::window::PopupMenu(wnd.Handle(), items, mouse.x, mouse.y, 0)) {
    case command::kSelectAll:
      SelectAll();
      break;
    case command::kCopy:
      Copy();
      break;
    default:
      break;
  }
  return true;
}
