#pragma once

#include <sys/types.h>

#include <string>

// POSIX only (Linux): starting a child that cannot outlive us. A child in a process group of its
// own is out of reach of the terminal's Ctrl+C, so when we are killed outright (SIGKILL, which
// runs nothing of ours) nothing else would end it.
namespace vklib::posix {

// What a child gets besides its program and arguments: descriptors for its standard streams
// (-1 leaves ours), and its working directory (empty leaves ours). UTF-8.
struct ChildSetup {
  int input = -1;
  int output = -1;
  int error = -1;
  std::string directory;
};

// Starts the program at `path` in a process group of its own, with every signal at its default
// and none blocked, set to receive SIGKILL when the thread that started it ends, the whole
// program's death included (prctl PR_SET_PDEATHSIG, between fork and exec). Returns once the
// program runs: 0 with its id, or the error number of the step that failed, as posix_spawn does.
int SpawnTied(const std::string& path, char* const argv[], const ChildSetup& setup, pid_t& pid);

}  // namespace vklib::posix
