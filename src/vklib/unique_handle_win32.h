#pragma once

#include <windows.h>

// The owner of one Windows kernel handle (a process, a thread, a pipe end, a job, an event, an
// open file), closed when the owner goes or takes another. It cannot be copied: a copy would
// close the handle twice. Windows names "no handle" in two ways, null and INVALID_HANDLE_VALUE;
// the owner takes both for none.
namespace vklib {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) { reset(handle); }
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Closes the handle held, if any, and holds `handle`.
  void reset(HANDLE handle = nullptr) {
    if (handle_ != nullptr) CloseHandle(handle_);
    handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
  }
  // Gives the handle up to the caller, who closes it.
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace vklib
