#include "texsource/parent.h"

#include <algorithm>
#include <vector>

#include "texsource/paths.h"
#include "vklib/file.h"

namespace {

std::string Search(const std::string& path, ClassInfo& info, std::vector<std::string>& visited) {
  const std::string path_key = PathKey(path);
  const std::string path_name = PathKey(SplitPath(path).name);
  const IncludeFilter filter(path);
  for (std::string directory = SplitPath(path).directory; !directory.empty();
       directory = SplitPath(directory).directory) {
    vklib::FindFile find;
    if (!find.First(JoinPath(directory, "*.tex"))) continue;
    vklib::FindData entry;
    while (find.Next(entry)) {
      if (entry.attributes & vklib::kFileAttributeDirectory) continue;
      std::string candidate = JoinPath(directory, entry.name);
      // The file itself (its name first, which is quicker to tell), and files that cannot
      // include it, are passed over.
      if (PathKey(entry.name) == path_name && PathKey(candidate) == path_key) continue;
      if (!filter.MayInclude(candidate)) continue;
      ClassInfo found;
      bool includes = false;
      bool has_class = ScanTeXFile(candidate, found, &includes, &path);
      if (!includes) continue;
      if (has_class) {
        info = found;
        return candidate;
      }
      bool seen = std::any_of(visited.begin(), visited.end(),
                              [&](const std::string& file) { return SamePath(file, candidate); });
      if (seen) continue;
      visited.push_back(candidate);
      return Search(candidate, info, visited);
    }
  }
  return std::string();
}

}  // namespace

std::string FindParentFile(const std::string& path, ClassInfo& info) {
  if (ScanTeXFile(path, info)) return path;
  return SearchParent(path, info);
}

std::string SearchParent(const std::string& path, ClassInfo& info) {
  std::vector<std::string> visited{path};
  return Search(path, info, visited);
}
