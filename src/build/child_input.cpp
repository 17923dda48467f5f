#include "build/child_input.h"

#include "build/echo_run.h"
#include "vklib/codepage.h"
#include "vklib/process.h"
#include "vklib/window/edit/edit_core.h"

namespace {

constexpr unsigned kControlD = 4;
constexpr unsigned kBackspace = 8;
constexpr unsigned kTab = 9;
constexpr unsigned kEnter = 13;
constexpr unsigned kControlZ = 26;
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
  if (process.IsEnded()) return false;
  if (code == kEscape) {
    pending_.clear();
    echoed_at_.clear();
    lead_byte_.clear();
    PaneSink(pane).AppendOwn("実行を中止しました．\n", true);
    process.Close();
    stopped_ = true;
    return true;
  }
  if (code == kControlD || code == kControlZ) {
    // The end of input, as a terminal gives it: what is typed so far goes first.
    if (!pending_.empty()) process.Write(pending_.data(), pending_.size());
    pending_.clear();
    echoed_at_.clear();
    process.CloseInput();
    return true;
  }
  if (control_down) return false;
  if (code == kBackspace) {
    TakeBack(pane);
    return false;
  }
  if (code == kEnter) {
    pending_ += '\n';
    process.Write(pending_.data(), pending_.size());
    pane.Append("\n");
    pane.MoveCaretToEnd(true);
    pending_.clear();
    echoed_at_.clear();
    lead_byte_.clear();
    return true;
  }
  if (code == kTab || (code >= 28 && code <= 31) || code == kDelete) return false;
  const char byte = static_cast<char>(code);
  if (!lead_byte_.empty()) {
    Type(lead_byte_ + byte, pane);
    lead_byte_.clear();
  } else if (vklib::IsLeadByte(static_cast<unsigned char>(byte))) {
    lead_byte_ = byte;  // echoed with its second byte, so that output never comes between
  } else {
    Type(std::string(1, byte), pane);
  }
  return true;
}

void ChildInput::Type(const std::string& character, vklib::window::edit::EditCore& pane) {
  pending_ += character;
  echoed_at_.push_back(pane.Buffer().End());
  pane.Append(character);
  pane.MoveCaretToEnd(true);  // what the user types is shown, wherever they were reading
}

void ChildInput::TakeBack(vklib::window::edit::EditCore& pane) {
  if (pending_.empty()) return;
  const size_t length = LastCharLength(pending_);
  const std::string character = pending_.substr(pending_.size() - length);
  pending_.resize(pending_.size() - length);
  const vklib::window::edit::Position at = echoed_at_.back();
  echoed_at_.pop_back();
  // Only the character itself goes: the child's output behind it stays, and after the pane was
  // cleared (a file dropped during the run) nothing of it is left to take.
  const vklib::window::edit::Position after{at.line, at.offset + static_cast<int32_t>(length)};
  if (pane.Buffer().Text(at, after) == character) pane.Delete(at, after);
}
