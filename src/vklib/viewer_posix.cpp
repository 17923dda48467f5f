#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <thread>
#include <vector>

#include "vklib/codepage.h"
#include "vklib/command_line.h"
#include "vklib/program_search_posix.h"
#include "vklib/viewer.h"

extern char** environ;

namespace vklib {

bool LaunchProgram(const std::string& command_line, const std::string& directory, int,
                   SystemError& error) {
  // Started directly, as the process runner starts tools: no shell reads the file names.
  std::vector<std::string> arguments = SplitCommandLine(AnsiToUtf8(command_line));
  std::string working_directory = AnsiToUtf8(directory);
  std::string program =
      posix::FindProgram(arguments.empty() ? std::string() : arguments.front(), working_directory);
  if (program.empty()) {
    error = LastSystemError();
    return false;
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!working_directory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, working_directory.c_str());
  }
  // A group of its own: the terminal's Ctrl+C is for the build, not for the viewer.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  pid_t pid = 0;
  int result = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (result != 0) {
    error = SystemErrorOf(result);
    return false;
  }
  // Nobody waits for the viewer; this thread collects it when it ends, so no zombie is left.
  std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
  return true;
}

std::string LaunchablePath(const std::string& program) {
  return program;
}

std::string LaunchedFilePath(const std::string&, const std::string& file) {
  return file;
}

void MaximizeWindowOfClass(const std::string&) {}

}  // namespace vklib
