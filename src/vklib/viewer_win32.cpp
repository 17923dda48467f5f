#include <windows.h>

#include "vklib/viewer.h"

namespace vklib {

bool LaunchProgram(const std::string& command_line, int idle_milliseconds) {
  char directory[4096];
  DWORD length = GetCurrentDirectoryA(4095, directory);
  STARTUPINFOA startup{};
  GetStartupInfoA(&startup);
  std::string command = command_line;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      length > 0 && length < 4095 ? directory : nullptr, &startup, &info)) {
    return false;
  }
  WaitForInputIdle(info.hProcess, static_cast<DWORD>(idle_milliseconds));
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

void MaximizeWindowOfClass(const std::string& class_name) {
  HWND window = FindWindowExA(nullptr, nullptr, class_name.c_str(), nullptr);
  if (window == nullptr) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (!IsZoomed(window)) ShowWindow(window, SW_MAXIMIZE);
}

}  // namespace vklib
