#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "vklib/change_watch.h"
#include "vklib/codepage.h"

#ifdef __linux__
#include <sys/inotify.h>
#endif

namespace vklib {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::seconds(1);

}  // namespace

struct ChangeWatch::State {
  int fd = -1;
  std::vector<int> watches;
  bool notifies = false;
  Clock::time_point last_poll = Clock::now();
};

ChangeWatch::ChangeWatch() : state_(std::make_unique<State>()) {
#ifdef __linux__
  state_->fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
#endif
}

ChangeWatch::~ChangeWatch() {
  if (state_->fd >= 0) close(state_->fd);
}

void ChangeWatch::Watch(const std::vector<std::string>& directories) {
  State& state = *state_;
  state.notifies = false;
#ifdef __linux__
  if (state.fd < 0) return;
  for (int watch : state.watches)
    inotify_rm_watch(state.fd, watch);
  state.watches.clear();
  if (directories.empty()) return;
  constexpr uint32_t kEvents =
      IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB;
  for (const std::string& directory : directories) {
    int watch = inotify_add_watch(state.fd, AnsiToUtf8(directory).c_str(), kEvents);
    if (watch < 0) return;  // out of watches, or a file system without notification: poll
    state.watches.push_back(watch);
  }
  state.notifies = true;
#else
  (void)directories;
#endif
}

bool ChangeWatch::Wait(int milliseconds) {
  State& state = *state_;
  if (!state.notifies) {
    const auto due = state.last_poll + kPollInterval;
    const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
    if (until < due) {
      poll(nullptr, 0, milliseconds);  // an interruption ends it early
      return false;
    }
    const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now());
    if (rest.count() > 0 && poll(nullptr, 0, static_cast<int>(rest.count())) < 0) return false;
    state.last_poll = Clock::now();
    return true;
  }
  pollfd watched{state.fd, POLLIN, 0};
  if (poll(&watched, 1, milliseconds) <= 0) return false;
  // What happened does not matter, only that something did: the events are read and dropped.
  char events[4096];
  while (read(state.fd, events, sizeof events) > 0) {
  }
  return true;
}

bool ChangeWatch::Notifies() const {
  return state_->notifies;
}

}  // namespace vklib
