#pragma once

#include <windows.h>

#include <vector>

namespace vklib::window {

// A button of the system's standard images; command id 0 is a separator.
struct StandardButton {
  int image;
  int command;
};

// A tool tip: the command whose button it covers and the string resource of its text.
struct Tooltip {
  int command;
  WORD string_id;
};

// The common-controls toolbar of a window (child id 118), with its tooltips.
class ToolBar {
 public:
  static constexpr int kId = 118;
  static constexpr WORD kBitmap = 118;  // the program's own images

  // Creates the toolbar with buttons of the standard small colour images.
  bool Create(HWND parent, HINSTANCE instance, const std::vector<StandardButton>& buttons,
              int image_width, int image_height);
  // Appends buttons with the program's own images (bitmap 118), one image per command.
  void AddButtons(const std::vector<int>& commands);
  // Inserts a separator at a position.
  void InsertSeparator(int position);
  // Registers one tool per entry over the button of its command.
  void SetTooltips(const std::vector<Tooltip>& tooltips);

  HWND Handle() const { return toolbar_; }
  HWND TooltipWindow() const { return tooltips_; }

 private:
  HWND toolbar_ = nullptr;
  HWND tooltips_ = nullptr;
  HINSTANCE instance_ = nullptr;
};

}  // namespace vklib::window
