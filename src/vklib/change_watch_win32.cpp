#include <windows.h>

#include "vklib/change_watch.h"
#include "vklib/unique_handle_win32.h"

namespace vklib {
namespace {

constexpr DWORD kPollInterval = 1000;
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                           FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES;

// One directory read with ReadDirectoryChangesW, its completion signalled on an event. A read
// still pending writes into the buffer: it is cancelled before the handles close.
struct Directory {
  UniqueHandle handle;
  UniqueHandle event;
  OVERLAPPED overlapped{};
  DWORD buffer[1024];

  ~Directory() {
    if (handle) CancelIo(handle.get());
  }
};

bool Listen(Directory& directory) {
  ResetEvent(directory.event.get());
  return ReadDirectoryChangesW(directory.handle.get(), directory.buffer, sizeof directory.buffer,
                               FALSE, kChanges, nullptr, &directory.overlapped, nullptr) != FALSE;
}

}  // namespace

struct ChangeWatch::State {
  std::vector<std::unique_ptr<Directory>> directories;
  bool notifies = false;
  ULONGLONG last_poll = GetTickCount64();
};

ChangeWatch::ChangeWatch() : state_(std::make_unique<State>()) {}

ChangeWatch::~ChangeWatch() = default;

void ChangeWatch::Watch(const std::vector<std::string>& directories) {
  State& state = *state_;
  state.directories.clear();
  state.notifies = false;
  if (directories.empty() || directories.size() > MAXIMUM_WAIT_OBJECTS) return;
  for (const std::string& name : directories) {
    auto directory = std::make_unique<Directory>();
    directory->handle.reset(CreateFileA(
        name.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    directory->event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    directory->overlapped.hEvent = directory->event.get();
    bool listening = directory->handle && directory->event && Listen(*directory);
    state.directories.push_back(std::move(directory));
    if (!listening) {
      state.directories.clear();  // the platform cannot watch this one: poll them all
      return;
    }
  }
  state.notifies = true;
}

bool ChangeWatch::Wait(int milliseconds) {
  State& state = *state_;
  if (!state.notifies) {
    ULONGLONG now = GetTickCount64();
    ULONGLONG due = state.last_poll + kPollInterval;
    if (now + milliseconds < due) {
      Sleep(milliseconds);
      return false;
    }
    if (due > now) Sleep(static_cast<DWORD>(due - now));
    state.last_poll = GetTickCount64();
    return true;
  }
  std::vector<HANDLE> events;
  for (auto& directory : state.directories)
    events.push_back(directory->event.get());
  DWORD result =
      WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, milliseconds);
  if (result >= WAIT_OBJECT_0 + events.size()) return false;
  // What happened does not matter, only that something did: each finished read starts again.
  for (auto& directory : state.directories) {
    DWORD bytes = 0;
    if (GetOverlappedResult(directory->handle.get(), &directory->overlapped, &bytes, FALSE) &&
        !Listen(*directory)) {
      state.notifies = false;
    }
  }
  return true;
}

bool ChangeWatch::Notifies() const {
  return state_->notifies;
}

}  // namespace vklib
