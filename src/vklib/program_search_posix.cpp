#include "vklib/program_search_posix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "vklib/file.h"

namespace vklib::posix {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The first token of a command line, as the shell reads it for the simple command lines the
// program builds: up to the first blank, or between double quotes.
std::string FirstToken(const std::string& command_line) {
  size_t pos = command_line.find_first_not_of(" \t");
  if (pos == std::string::npos) return std::string();
  if (command_line[pos] == '"') {
    size_t close = command_line.find('"', pos + 1);
    return command_line.substr(pos + 1, close == std::string::npos ? close : close - pos - 1);
  }
  return command_line.substr(pos, command_line.find_first_of(" \t", pos) - pos);
}

}  // namespace

bool CommandProgramExists(const std::string& command_line, const std::string& directory) {
  std::string program = FirstToken(command_line);
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) {
    if (program[0] == '/' || directory.empty()) return IsExecutableFile(program);
    return IsExecutableFile(directory + "/" + program);
  }
  const char* path = std::getenv("PATH");
  for (std::string dir : SplitPathList(path != nullptr ? path : "/usr/bin:/bin")) {
    if (dir.empty()) dir = directory.empty() ? "." : directory;
    if (IsExecutableFile(dir + "/" + program)) return true;
  }
  return false;
}

}  // namespace vklib::posix
