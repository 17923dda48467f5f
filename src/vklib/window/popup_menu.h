#pragma once

#include <windows.h>

#include <string>

#include "vklib/window/wnd.h"

namespace vklib::window {

// Shows a popup menu at a client point of a window and waits for a choice: the chosen command
// id, or 0 when the menu was dismissed.
int PopupMenu(HWND window, const MenuItems& items, int x, int y, int default_command);

// The open-file dialog (GetOpenFileNameA) over a window. `filter` holds pairs of a name and a
// pattern, each ended by a NUL. True with the chosen path, false when cancelled.
bool OpenFileDialog(HWND owner, std::string& path, const std::string& filter,
                    const std::string& title, const std::string& initial_directory);

}  // namespace vklib::window
