#include "vklib/window/controls.h"

#include <vector>

namespace vklib::window {

std::string Control::Text() const {
  std::vector<char> buffer(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 10);
  int length = GetWindowTextA(Handle(), buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

bool Combo::Add(const std::string& text) {
  return SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) != CB_ERR;
}

std::string Combo::ItemText(int index) const {
  LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 10);
  length = SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(buffer.data()));
  return length == CB_ERR ? std::string() : std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace vklib::window
