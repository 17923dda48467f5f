#include <windows.h>

#include "bridge/wine_linux_child.h"
#include "bridge/wine_unix.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/process.h"
#include "vklib/unique_handle_win32.h"
#include "vklib/viewer.h"

namespace vklib {

bool LaunchProgram(const std::string& command_line, const std::string& directory,
                   int idle_milliseconds, SystemError& error) {
  ProcessParam program;
  program.CommandLine = command_line;
  program.Directory = directory;
  // Under Wine, a program that is not a Windows one is the Linux system's, as for the tools.
  if (WineLinuxChild::Runs(program)) {
    if (WineLinuxChild::Launch(program)) return true;
    error = LastSystemError();
    return false;
  }
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

std::string LaunchablePath(const std::string& program) {
  // A "\\" may be the second byte of a Japanese character: such a name stays as it is, as a
  // path would.
  if (program.empty() || program.find_first_of("\\/:.") != std::string::npos) return program;
  std::string extensions = EnvironmentVariable("PATHEXT");
  if (extensions.empty()) extensions = ".COM;.EXE;.BAT;.CMD";
  for (const std::string& extension : SplitPathList(extensions)) {
    if (extension.empty()) continue;
    char found[MAX_PATH];
    DWORD length =
        SearchPathA(nullptr, program.c_str(), extension.c_str(), MAX_PATH, found, nullptr);
    if (length > 0 && length < MAX_PATH) return found;
  }
  return program;
}

std::string LaunchedFilePath(const std::string& program, const std::string& file) {
  ProcessParam launched;
  launched.Program = program;
  if (!WineLinuxChild::Launches(launched)) return file;
  const std::string unix_path = UnixPath(kCodePageAnsi, file);
  return unix_path.empty() ? file : Utf8ToAnsi(unix_path);
}

void MaximizeWindowOfClass(const std::string& class_name) {
  HWND window = FindWindowExA(nullptr, nullptr, class_name.c_str(), nullptr);
  if (window == nullptr) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (!IsZoomed(window)) ShowWindow(window, SW_MAXIMIZE);
}

}  // namespace vklib
