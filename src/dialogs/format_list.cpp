#include "dialogs/format_list.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>

#include <chrono>
#include <set>

#include "texsource/paths.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/process.h"

namespace {

constexpr int kDeepestWalk = 32;
constexpr auto kLongestWalk = std::chrono::milliseconds(500);

// What a walk may still do.
struct WalkBudget {
  size_t entries_left;
  std::chrono::steady_clock::time_point deadline;
  bool Spent() const { return entries_left == 0 || std::chrono::steady_clock::now() > deadline; }
};

void Walk(const std::string& directory, int depth, bool descend, WalkBudget& budget,
          std::set<std::string>& walked, std::vector<std::string>& formats) {
  std::string key = directory;
  if (vklib::kPathsIgnoreCase) vklib::LowerCaseAnsi(key);
  if (depth > kDeepestWalk || !walked.insert(key).second) return;
  vklib::FindFile find;
  if (!find.First(JoinPath(directory, "*.*"))) return;
  vklib::FindData entry;
  while (!budget.Spent() && find.Next(entry)) {
    --budget.entries_left;
    std::string path = JoinPath(directory, entry.name);
    uint32_t attributes = vklib::FileAttributes(path);
    if (attributes & vklib::kFileAttributeDirectory) {
      // A link to a directory may lead back up: only real subdirectories are walked.
      if (descend && (attributes & vklib::kFileAttributeReparsePoint) == 0) {
        Walk(path, depth + 1, descend, budget, walked, formats);
      }
      continue;
    }
    std::string extension = SplitPath(entry.name).extension;
    vklib::LowerCaseAnsi(extension);
    if (extension == ".fmt") formats.push_back(path);
  }
}

}  // namespace

std::string FormatSearchPath(int timeout_milliseconds) {
  vklib::Process process;
  vklib::ProcessParam param;
  param.CommandLine = "kpsewhich -expand-path=$TEXFORMATS";
  param.RedirectOutput = true;
  param.DefaultShow = true;
  if (!process.Start(param)) return std::string();
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_milliseconds);
  std::string output;
  char buffer[4096];
  while (true) {
    bool ended = process.IsEnded();
    while (size_t count = process.Read(buffer, 4095))
      output.append(buffer, count);
    if (ended) return output;
    if (std::chrono::steady_clock::now() > deadline) {
      process.Close();
      return std::string();
    }
    process.WaitForActivity(20);
  }
}

std::vector<std::string> FindFormatFiles(const std::string& search_path, size_t max_entries) {
  std::vector<std::string> pieces;
  boost::algorithm::split(pieces, search_path, boost::algorithm::is_any_of(";"));
  std::vector<std::string> formats;
  std::set<std::string> walked;
  WalkBudget budget{max_entries, std::chrono::steady_clock::now() + kLongestWalk};
  for (std::string piece : pieces) {
    std::string directory;
    for (char c : piece) {
      if (c != '\n' && c != '\r') directory += c;
    }
    if (directory.compare(0, 2, "!!") == 0) directory.erase(0, 2);
    if (directory.empty()) continue;
    directory = WithPlatformSeparators(directory);
    // A relative element is wherever the program was started (a home directory, a drive's
    // root): its own formats count, the tree below it does not.
    Walk(directory, 0, IsAbsolutePath(directory), budget, walked, formats);
  }
  return formats;
}
