#include "dialogs/format_list.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>

#include <set>

#include "texsource/paths.h"
#include "vklib/codepage.h"
#include "vklib/file.h"

namespace {

constexpr int kDeepestWalk = 32;

void Walk(const std::string& directory, int depth, std::set<std::string>& walked,
          std::vector<std::string>& formats) {
  std::string key = directory;
  if (vklib::kPathsIgnoreCase) vklib::LowerCaseAnsi(key);
  if (depth > kDeepestWalk || !walked.insert(key).second) return;
  vklib::FindFile find;
  if (!find.First(JoinPath(directory, "*.*"))) return;
  vklib::FindData entry;
  while (find.Next(entry)) {
    std::string path = JoinPath(directory, entry.name);
    uint32_t attributes = vklib::FileAttributes(path);
    if (attributes & vklib::kFileAttributeDirectory) {
      // A link to a directory may lead back up: only real subdirectories are walked.
      if ((attributes & vklib::kFileAttributeReparsePoint) == 0) {
        Walk(path, depth + 1, walked, formats);
      }
      continue;
    }
    std::string extension = SplitPath(entry.name).extension;
    vklib::LowerCaseAnsi(extension);
    if (extension == ".fmt") formats.push_back(path);
  }
}

}  // namespace

std::vector<std::string> FindFormatFiles(const std::string& search_path) {
  std::vector<std::string> pieces;
  boost::algorithm::split(pieces, search_path, boost::algorithm::is_any_of(";"));
  std::vector<std::string> formats;
  std::set<std::string> walked;
  for (std::string piece : pieces) {
    std::string directory;
    for (char c : piece) {
      if (c != '\n' && c != '\r') directory += c;
    }
    if (directory.compare(0, 2, "!!") == 0) directory.erase(0, 2);
    if (directory.empty()) continue;
    directory = WithPlatformSeparators(directory);
    Walk(directory, 0, walked, formats);
  }
  return formats;
}
