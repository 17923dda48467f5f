#include "vklib/program_search_posix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "vklib/file.h"

namespace vklib::posix {
namespace {

// Whether a path is a program we may run; `denied` is set when it is a file we may not run.
bool IsExecutableFile(const std::string& path, bool& denied) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (access(path.c_str(), X_OK) == 0) return true;
  denied = true;
  return false;
}

}  // namespace

std::string FindProgram(const std::string& program, const std::string& directory) {
  bool denied = false;
  if (program.find('/') != std::string::npos) {
    std::string path = program[0] == '/' || directory.empty() ? program : directory + "/" + program;
    if (IsExecutableFile(path, denied)) return path;
  } else if (!program.empty()) {
    const char* path = std::getenv("PATH");
    for (std::string dir : SplitPathList(path != nullptr ? path : "/usr/bin:/bin")) {
      // An empty or relative element is the child's directory, or a place from there.
      if (dir.empty()) dir = ".";
      if (dir[0] != '/' && !directory.empty()) dir = directory + "/" + dir;
      if (IsExecutableFile(dir + "/" + program, denied)) return dir + "/" + program;
    }
  }
  errno = denied ? EACCES : ENOENT;
  return std::string();
}

}  // namespace vklib::posix
