#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vklib {

// Wakes its caller when something happens in a few directories: a file written, created,
// renamed or removed there, as an editor's save does. It tells that something happened, not
// what: the caller compares the files it cares about. Linux asks inotify, Windows
// ReadDirectoryChangesW; where neither can watch a directory, every second counts as a change.
class ChangeWatch {
 public:
  ChangeWatch();
  ~ChangeWatch();
  ChangeWatch(const ChangeWatch&) = delete;
  ChangeWatch& operator=(const ChangeWatch&) = delete;

  // Watches these directories instead of the ones before.
  void Watch(const std::vector<std::string>& directories);
  // Waits at most `milliseconds`; true when something happened (or, when polling, a second has
  // passed since the last time this said so). An interruption ends the wait early.
  bool Wait(int milliseconds);
  // Whether the platform notifies, rather than the watch polling every second.
  bool Notifies() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vklib
