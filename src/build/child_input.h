#pragma once

#include <string>

namespace vklib {
class Process;
namespace window::edit {
class EditCore;
}
}  // namespace vklib

// What the user types into the output pane while a child runs: echoed at the end of the pane
// and sent to the child's standard input a line at a time, ended by a single LF.
class ChildInput {
 public:
  // Handles one character (WM_CHAR); a double-byte character arrives as two. True when the
  // character was taken; false leaves it to the pane (which is read-only, so nothing happens).
  bool OnChar(unsigned code, bool control_down, vklib::window::edit::EditCore& pane,
              vklib::Process& process);
  const std::string& PendingLine() const { return pending_; }

 private:
  std::string pending_;  // typed but not yet sent
};
