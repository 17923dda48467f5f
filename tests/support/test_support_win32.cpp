#include <windows.h>

#include "support/fake_tools.h"
#include "support/test_support.h"
#include "vklib/file.h"

namespace test {

bool ProcessAlive(long pid) {
  if (pid <= 0) return false;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return false;
  bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return alive;
}

void KillProcess(long pid) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return;
  TerminateProcess(process, 1);
  CloseHandle(process);
}

long OpenHandleCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return static_cast<long>(count);
}

ScopedEnvironment::ScopedEnvironment(const std::string& name, const std::string& value)
    : name_(name) {
  had_value_ = GetEnvironmentVariableA(name.c_str(), nullptr, 0) > 0;
  saved_ = vklib::EnvironmentVariable(name);
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  SetEnvironmentVariableA(name_.c_str(), had_value_ ? saved_.c_str() : nullptr);
}

}  // namespace test
