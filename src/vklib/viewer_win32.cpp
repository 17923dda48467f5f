#include <windows.h>

#include "vklib/file.h"
#include "vklib/unique_handle_win32.h"
#include "vklib/viewer.h"

namespace vklib {

bool LaunchProgram(const std::string& command_line, const std::string& directory,
                   int idle_milliseconds, SystemError& error) {
  const std::string working_directory = WorkingDirectory(directory);
  STARTUPINFOA startup{};
  GetStartupInfoA(&startup);
  std::string command = command_line;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      working_directory.empty() ? nullptr : working_directory.c_str(), &startup,
                      &info)) {
    error = LastSystemError();
    return false;
  }
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  WaitForInputIdle(process.get(), static_cast<DWORD>(idle_milliseconds));
  return true;
}

void MaximizeWindowOfClass(const std::string& class_name) {
  HWND window = FindWindowExA(nullptr, nullptr, class_name.c_str(), nullptr);
  if (window == nullptr) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (!IsZoomed(window)) ShowWindow(window, SW_MAXIMIZE);
}

}  // namespace vklib
