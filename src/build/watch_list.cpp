#include "build/watch_list.h"

#include <algorithm>

#include "build/aux_analyzer.h"
#include "build/tex.h"
#include "texsource/paths.h"
#include "texsource/scanner.h"

std::vector<std::string> WatchedFiles(const TeX& tex) {
  if (tex.parent_base.empty()) return {tex.current_file};
  const std::string parent = tex.parent_base + tex.parent_extension;
  std::vector<std::string> files;
  if (TeX::IsOutputExtension(tex.parent_extension)) {
    files.push_back(parent);  // a conversion reads that one file
    return files;
  }
  std::vector<IncludeRecord> includes;
  BuildIncludeList(includes, parent);
  for (const IncludeRecord& record : includes)
    files.push_back(record.path);
  for (const std::string& bib : AuxAnalyzer::BibFiles(parent))
    files.push_back(bib);
  for (const char* pattern : {"*.sty", "*.cls", "*.bst", "*.ist"}) {
    vklib::FindFile find;
    if (!find.First(JoinPath(tex.parent_directory, pattern))) continue;
    vklib::FindData entry;
    while (find.Next(entry)) {
      if (!(entry.attributes & vklib::kFileAttributeDirectory))
        files.push_back(JoinPath(tex.parent_directory, entry.name));
    }
  }
  return files;
}

WatchStamps StampsOf(const std::vector<std::string>& files) {
  WatchStamps stamps;
  for (const std::string& file : files)
    stamps[file] = vklib::StampOf(file);
  return stamps;
}

std::vector<std::string> DirectoriesOf(const std::vector<std::string>& files) {
  std::vector<std::string> directories;
  for (const std::string& file : files) {
    std::string directory = SplitPath(file).directory;
    if (directory.empty() || !vklib::FileExists(directory)) continue;
    bool known = std::any_of(directories.begin(), directories.end(),
                             [&](const std::string& seen) { return SamePath(seen, directory); });
    if (!known) directories.push_back(directory);
  }
  return directories;
}
