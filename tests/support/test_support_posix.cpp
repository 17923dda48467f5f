#include <dirent.h>
#include <signal.h>

#include <cstdlib>
#include <fstream>

#include "support/fake_tools.h"
#include "support/test_support.h"

namespace test {

bool ProcessAlive(long pid) {
  if (pid <= 0 || kill(static_cast<pid_t>(pid), 0) != 0) return false;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string id, name, state;
  stat >> id >> name >> state;
  return state != "Z";
}

void KillProcess(long pid) {
  kill(static_cast<pid_t>(pid), SIGKILL);
}

long OpenHandleCount() {
  long count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir) != nullptr)
      ++count;
    closedir(dir);
  }
  return count;
}

ScopedEnvironment::ScopedEnvironment(const std::string& name, const std::string& value)
    : name_(name) {
  const char* old = std::getenv(name.c_str());
  had_value_ = old != nullptr;
  if (had_value_) saved_ = old;
  setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
  if (had_value_) {
    setenv(name_.c_str(), saved_.c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

}  // namespace test
