#include <spawn.h>
#include <sys/wait.h>

#include "vklib/codepage.h"
#include "vklib/program_search_posix.h"
#include "vklib/viewer.h"

extern char** environ;

namespace vklib {

bool LaunchProgram(const std::string& command_line, const std::string& directory, int) {
  std::string command = AnsiToUtf8(command_line);
  std::string working_directory = AnsiToUtf8(directory);
  if (!posix::CommandProgramExists(command, working_directory)) return false;
  // The shell puts the viewer in the background and ends at once, so nobody waits for the
  // viewer and it is not left behind as a zombie.
  std::string background = command + " &";
  char shell[] = "/bin/sh";
  char dash_c[] = "-c";
  char* argv[] = {shell, dash_c, background.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!working_directory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, working_directory.c_str());
  }
  pid_t pid = 0;
  int result = posix_spawn(&pid, shell, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return true;
}

void MaximizeWindowOfClass(const std::string&) {}

}  // namespace vklib
