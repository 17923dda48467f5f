#include "vklib/window/popup_menu.h"

#include <commdlg.h>

#include <vector>

namespace vklib::window {

int PopupMenu(HWND window, const MenuItems& items, int x, int y, int default_command) {
  HMENU menu = CreatePopupMenu();
  InsertMenuItems(menu, items, default_command);
  POINT point{x, y};
  ClientToScreen(window, &point);
  int chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, window, nullptr);
  DestroyMenu(menu);
  return chosen;
}

bool OpenFileDialog(HWND owner, std::string& path, const std::string& filter,
                    const std::string& title, const std::string& initial_directory) {
  std::vector<char> buffer(4096, '\0');
  std::string filters = filter + std::string(1, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = 4095;
  dialog.lpstrInitialDir = initial_directory.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return false;
  path = buffer.data();
  return true;
}

}  // namespace vklib::window
