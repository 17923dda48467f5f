#pragma once

#include <windows.h>

#include <memory>

// A Windows handle closed when its owner goes; moved, never copied. "No handle" is null:
// OwnHandle takes INVALID_HANDLE_VALUE, which CreateFile gives on failure, for it.
struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

inline UniqueHandle OwnHandle(HANDLE handle) {
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
