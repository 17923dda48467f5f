#include <dirent.h>
#include <signal.h>

#include <fstream>

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

}  // namespace test
