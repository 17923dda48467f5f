#pragma once

#include <string>

#include "bridge/unique_fd_posix.h"

// The bridge's end of its private endpoint: two FIFOs, "input" (the window writes) and "output"
// (the window reads), in a new directory that only our user may enter, so that no other user
// can reach the stream. The directory and its FIFOs are gone once the window has opened both.
//
// The order the window keeps: it opens "output" for reading, then "input" for writing. Until the
// window came, the bridge holds a reader of "input" and a writer of "output", so that nothing the
// window does there can block, fail or read an end of stream that is not one. The names go once
// the window opened "input": it is done with them by then.
struct PrivateEndpoint {
  std::string directory;
  UniqueFd held_input;   // a reader of "input" until the window came
  UniqueFd held_output;  // a writer of "output" until the window came
};

// Makes the directory (mode 0700; it must not exist yet) and its FIFOs; false with a message.
bool MakeEndpoint(const std::string& directory, PrivateEndpoint& endpoint, std::string& error);

// Waits at most `seconds` for the window to open both FIFOs, then removes their names and the
// directory. False with a message when the window did not come.
bool MeetWindow(PrivateEndpoint& endpoint, unsigned seconds, UniqueFd& from_window,
                UniqueFd& to_window, std::string& error);

// Removes the FIFOs and the directory.
void RemoveEndpoint(const PrivateEndpoint& endpoint);
