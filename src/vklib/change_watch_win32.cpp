#include <windows.h>

#include "vklib/change_watch.h"

namespace vklib {
namespace {

constexpr DWORD kPollInterval = 1000;
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                           FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES;

// One directory read with ReadDirectoryChangesW, its completion signalled on an event.
struct Directory {
  HANDLE handle = INVALID_HANDLE_VALUE;
  OVERLAPPED overlapped{};
  DWORD buffer[1024];
};

bool Listen(Directory& directory) {
  ResetEvent(directory.overlapped.hEvent);
  return ReadDirectoryChangesW(directory.handle, directory.buffer, sizeof directory.buffer, FALSE,
                               kChanges, nullptr, &directory.overlapped, nullptr) != FALSE;
}

void Release(Directory& directory) {
  if (directory.handle != INVALID_HANDLE_VALUE) {
    CancelIo(directory.handle);
    CloseHandle(directory.handle);
  }
  if (directory.overlapped.hEvent != nullptr) CloseHandle(directory.overlapped.hEvent);
}

}  // namespace

struct ChangeWatch::State {
  std::vector<std::unique_ptr<Directory>> directories;
  bool notifies = false;
  ULONGLONG last_poll = GetTickCount64();

  void Clear() {
    for (auto& directory : directories)
      Release(*directory);
    directories.clear();
  }
};

ChangeWatch::ChangeWatch() : state_(std::make_unique<State>()) {}

ChangeWatch::~ChangeWatch() {
  state_->Clear();
}

void ChangeWatch::Watch(const std::vector<std::string>& directories) {
  State& state = *state_;
  state.Clear();
  state.notifies = false;
  if (directories.empty() || directories.size() > MAXIMUM_WAIT_OBJECTS) return;
  for (const std::string& name : directories) {
    auto directory = std::make_unique<Directory>();
    directory->handle = CreateFileA(
        name.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    directory->overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool listening = directory->handle != INVALID_HANDLE_VALUE &&
                     directory->overlapped.hEvent != nullptr && Listen(*directory);
    state.directories.push_back(std::move(directory));
    if (!listening) {
      state.Clear();  // the platform cannot watch this one: poll them all
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
    events.push_back(directory->overlapped.hEvent);
  DWORD result =
      WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, milliseconds);
  if (result >= WAIT_OBJECT_0 + events.size()) return false;
  // What happened does not matter, only that something did: each finished read starts again.
  for (auto& directory : state.directories) {
    DWORD bytes = 0;
    if (GetOverlappedResult(directory->handle, &directory->overlapped, &bytes, FALSE) &&
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
