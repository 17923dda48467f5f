#include <spawn.h>
#include <sys/wait.h>

#include "vklib/codepage.h"
#include "vklib/program_search_posix.h"
#include "vklib/viewer.h"

extern char** environ;

namespace vklib {

bool LaunchProgram(const std::string& command_line, int) {
  std::string command = AnsiToUtf8(command_line);
  if (!posix::CommandProgramExists(command, std::string())) return false;
  // The shell puts the viewer in the background and ends at once, so nobody waits for the
  // viewer and it is not left behind as a zombie.
  std::string background = command + " &";
  char shell[] = "/bin/sh";
  char dash_c[] = "-c";
  char* argv[] = {shell, dash_c, background.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, shell, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return true;
}

void MaximizeWindowOfClass(const std::string&) {}

}  // namespace vklib
