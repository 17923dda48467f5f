#pragma once

#include <string>
#include <vector>

#include "vklib/window/edit/text_buffer.h"

namespace vklib {
class Process;
namespace window::edit {
class EditCore;
}
}  // namespace vklib

// What the user types into the output pane while a child runs: echoed at the end of the pane
// and sent to the child's standard input a line at a time, ended by a single LF. Esc stops the
// run (the child's whole tree); Ctrl+D and Ctrl+Z close the child's standard input.
class ChildInput {
 public:
  // Handles one character (WM_CHAR); a double-byte character arrives as two. True when the
  // character was taken; false leaves it to the pane (which is read-only, so nothing happens).
  bool OnChar(unsigned code, bool control_down, vklib::window::edit::EditCore& pane,
              vklib::Process& process);
  const std::string& PendingLine() const { return pending_; }
  // Esc stopped a run since the last ForgetStop: what comes of that run is no failure.
  bool Stopped() const { return stopped_; }
  void ForgetStop() { stopped_ = false; }

 private:
  // Echoes one whole character and keeps it pending.
  void Type(const std::string& character, vklib::window::edit::EditCore& pane);
  // Takes back the last pending character, from the pane too where it still shows.
  void TakeBack(vklib::window::edit::EditCore& pane);

  std::string pending_;  // typed but not yet sent
  // Where each pending character was echoed: output may have come in behind it since.
  std::vector<vklib::window::edit::Position> echoed_at_;
  std::string lead_byte_;  // the first half of a double-byte character still to come
  bool stopped_ = false;
};
