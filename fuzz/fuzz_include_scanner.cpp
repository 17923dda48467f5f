// The include scanner, the class scan, the root comment and the parent search over a small tree of
// files whose contents come from the input (split at "\n\x01\n" into main.tex, a.tex, b.tex,
// sub/c.tex). The tree holds two links to its own directory (s1, s2) and one from sub up (sub/up),
// so that paths may name a file again and again. A part that starts with "\x02" and a count byte C
// is the rest of the part written 4 * (C + 1) times, each "#" in it replaced by the copy's number:
// long lists of inputs.
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "texsource/parent.h"
#include "texsource/root_comment.h"
#include "texsource/scanner.h"
#include "vklib/file.h"

namespace {

std::string Expanded(std::string_view part) {
  if (part.size() < 2 || part[0] != '\x02') return std::string(part);
  const int copies = 4 * (static_cast<uint8_t>(part[1]) + 1);
  const std::string_view copy = part.substr(2);
  std::string text;
  for (int i = 0; i < copies; ++i) {
    for (char c : copy)
      text += c == '#' ? std::to_string(i) : std::string(1, c);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string directory = FuzzDirectory();
  mkdir((directory + "/sub").c_str(), 0700);
  symlink(".", (directory + "/s1").c_str());
  symlink(".", (directory + "/s2").c_str());
  symlink("..", (directory + "/sub/up").c_str());
  const char* names[] = {"main.tex", "a.tex", "b.tex", "sub/c.tex"};
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // A file is written again only when its part of the input changed: most mutations change one.
  static std::string written[4];
  for (size_t i = 0; i < 4; ++i) {
    size_t stop = input.find("\n\x01\n");
    std::string_view part = input.substr(0, stop);
    if (part != written[i] || written[i].empty()) {
      const std::string text = Expanded(part);
      WriteWholeFile(directory + "/" + names[i], reinterpret_cast<const uint8_t*>(text.data()),
                     text.size());
      written[i] = part;
    }
    input = stop == std::string_view::npos ? std::string_view() : input.substr(stop + 3);
  }

  std::vector<IncludeRecord> list;
  BuildIncludeList(list, directory + "/main.tex");
  // Bounded whatever the tree: at most 10000 records, and each file once by whatever path, the
  // root's own record aside.
  if (list.size() > 10000) __builtin_trap();
  std::set<vklib::FileIdentity> listed;
  for (size_t i = 1; i < list.size(); ++i) {
    vklib::FileIdentity identity;
    if (vklib::IdentityOf(list[i].path, identity) && !listed.insert(identity).second)
      __builtin_trap();
  }
  for (const char* name : names) {
    ClassInfo info;
    bool found = false;
    std::string target = directory + "/b.tex";
    ScanTeXFile(directory + "/" + name, info, &found, &target);
  }
  // The parent search of one of the files, chosen by the input: a search that finds nothing
  // lists every directory up to the root, which is most of a run's time.
  ClassInfo info;
  FindParentFile(directory + "/" + names[size > 0 ? data[size - 1] % 4 : 0], info);
  // The root a chapter names for itself in a comment is always a file that exists.
  std::string root = RootNamedIn(directory + "/sub/c.tex");
  if (!root.empty() && !vklib::FileExists(root)) __builtin_trap();
  std::string line(reinterpret_cast<const char*>(data), size < 4095 ? size : 4095);
  ExtractIncludedFile(line, directory + "/", "\\input");
  ExtractIncludedFile(line, directory + "/", "\\include");
  return 0;
}
