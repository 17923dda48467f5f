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

}  // namespace

std::string FindProgram(const std::string& program, const std::string& directory) {
  if (program.empty()) return std::string();
  if (program.find('/') != std::string::npos) {
    std::string path = program[0] == '/' || directory.empty() ? program : directory + "/" + program;
    return IsExecutableFile(path) ? path : std::string();
  }
  const char* path = std::getenv("PATH");
  for (std::string dir : SplitPathList(path != nullptr ? path : "/usr/bin:/bin")) {
    // An empty or relative element is the child's directory, or a place from there.
    if (dir.empty()) dir = ".";
    if (dir[0] != '/' && !directory.empty()) dir = directory + "/" + dir;
    if (IsExecutableFile(dir + "/" + program)) return dir + "/" + program;
  }
  return std::string();
}

}  // namespace vklib::posix
