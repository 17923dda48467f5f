#include "build/child_input.h"

#include "vklib/codepage.h"
#include "vklib/process.h"
#include "vklib/window/edit/edit_core.h"

namespace {

constexpr unsigned kBackspace = 8;
constexpr unsigned kTab = 9;
constexpr unsigned kEnter = 13;
constexpr unsigned kEscape = 27;
constexpr unsigned kDelete = 127;

// Byte length of the last character of a text.
size_t LastCharLength(const std::string& text) {
  size_t length = 1;
  for (size_t i = 0; i < text.size(); i += length)
    length = vklib::CharLength(text, i);
  return length;
}

}  // namespace

bool ChildInput::OnChar(unsigned code, bool control_down, vklib::window::edit::EditCore& pane,
                        vklib::Process& process) {
  if (process.IsEnded() || control_down) return false;
  if (code == kBackspace) {
    // The pane deletes a whole character, so the pending line loses a whole one too.
    if (!pending_.empty()) {
      pending_.resize(pending_.size() - LastCharLength(pending_));
      pane.MoveCaretToEnd();
      pane.DeleteBackward();
    }
    return false;
  }
  if (code == kEnter) {
    pending_ += '\n';
    process.Write(pending_.data(), pending_.size());
    pane.InsertText("\n", "\n");
    pane.MoveCaretToEnd();
    pending_.clear();
    return true;
  }
  if (code == kEscape || code == kTab || (code >= 28 && code <= 31) || code == kDelete)
    return false;
  pending_ += static_cast<char>(code);
  pane.MoveCaretToEnd();
  pane.InsertText(std::string(1, static_cast<char>(code)), "\n");
  return true;
}
