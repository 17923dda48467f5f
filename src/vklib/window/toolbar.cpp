#include "vklib/window/toolbar.h"

#include <commctrl.h>

namespace vklib::window {
namespace {

TBBUTTON Button(int image, int command) {
  TBBUTTON button{};
  button.iBitmap = command == 0 ? 0 : image;
  button.idCommand = command;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = command == 0 ? TBSTYLE_SEP : TBSTYLE_BUTTON;
  return button;
}

}  // namespace

bool ToolBar::Create(HWND parent, HINSTANCE instance, const std::vector<StandardButton>& buttons,
                     int image_width, int image_height) {
  instance_ = instance;
  std::vector<TBBUTTON> records;
  int images = 0;
  for (const StandardButton& entry : buttons) {
    records.push_back(Button(entry.image, entry.command));
    if (entry.command != 0) ++images;
  }
  toolbar_ = CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | WS_BORDER, kId, images, HINST_COMMCTRL,
                             IDB_STD_SMALL_COLOR, records.data(), static_cast<int>(records.size()),
                             0, 0, image_width, image_height, sizeof(TBBUTTON));
  return toolbar_ != nullptr;
}

void ToolBar::AddButtons(const std::vector<int>& commands) {
  int images = 0;
  for (int command : commands)
    images += command != 0 ? 1 : 0;
  TBADDBITMAP bitmap{instance_, kBitmap};
  auto first = static_cast<int>(SendMessageA(toolbar_, TB_ADDBITMAP, static_cast<WPARAM>(images),
                                             reinterpret_cast<LPARAM>(&bitmap)));
  std::vector<TBBUTTON> records;
  int position = 0;
  for (int command : commands)
    records.push_back(Button(first + position++, command));
  SendMessageA(toolbar_, TB_ADDBUTTONS, records.size(), reinterpret_cast<LPARAM>(records.data()));
}

void ToolBar::InsertSeparator(int position) {
  TBBUTTON separator = Button(0, 0);
  SendMessageA(toolbar_, TB_INSERTBUTTON, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(&separator));
}

void ToolBar::SetTooltips(const std::vector<Tooltip>& tooltips) {
  tooltips_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(toolbar_),
                              nullptr, instance_, nullptr);
  if (tooltips_ == nullptr) return;
  for (const Tooltip& entry : tooltips) {
    // The button that carries the command, wherever separators put it.
    LRESULT index =
        SendMessageA(toolbar_, TB_COMMANDTOINDEX, static_cast<WPARAM>(entry.command), 0);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = toolbar_;
    tool.uId = static_cast<UINT_PTR>(entry.command);
    SendMessageA(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&tool.rect));
    tool.hinst = instance_;
    tool.lpszText = MAKEINTRESOURCEA(entry.string_id);
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageA(toolbar_, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltips_), 0);
}

}  // namespace vklib::window
