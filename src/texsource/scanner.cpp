#include "texsource/scanner.h"

#include <algorithm>
#include <set>
#include <unordered_set>
#include <vector>

#include "texsource/document_class.h"
#include "texsource/paths.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/interrupt.h"
#include "vklib/text_file.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

// The directory of a file followed by a separator: what its includes are resolved against
// (nothing for a bare file name, whose includes stay relative like it).
std::string PrefixOf(const std::string& path) {
  std::string directory = SplitPath(path).directory;
  return directory.empty() ? directory : JoinPath(directory, std::string());
}

// Reads a file's lines into a buffer of `size` bytes; pieces of long lines come as lines.
class LineReader {
 public:
  LineReader(const std::string& path, size_t size) : buffer_(size + 1) { open_ = file_.Open(path); }
  bool IsOpen() const { return open_; }
  bool Next(std::string_view& line) {
    size_t length = file_.ReadLine(buffer_.data(), buffer_.size() - 1);
    line = std::string_view(buffer_.data(), length);
    return length > 0;
  }

 private:
  vklib::TextFile file_;
  std::vector<char> buffer_;
  bool open_;
};

// Whether the bytes of a line may hold one of the commands the scans look for: a backslash
// followed by the start of its name (where characters start or not).
bool MayHoldCommand(std::string_view line) {
  auto starts = [](std::string_view text, std::string_view name) {
    return text.size() >= name.size() && text.compare(0, name.size(), name) == 0;
  };
  for (size_t at = line.find('\\'); at != std::string_view::npos; at = line.find('\\', at + 1)) {
    const std::string_view rest = line.substr(at + 1);
    if (rest.empty()) break;
    switch (rest[0]) {
      case 'i':  // \input and \include
        if (starts(rest, "in")) return true;
        break;
      case 'd':  // \documentclass and \documentstyle
        if (starts(rest, "document")) return true;
        break;
      case 'b':
        if (starts(rest, "begin{verbatim}")) return true;
        break;
      case 'e':
        if (starts(rest, "end{verbatim}")) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// TeX itself keeps at most 15 files open at once (max_in_open), and real documents bring in far
// fewer than ten thousand files: beyond these bounds a scan is lost in a hostile document.
constexpr int kMaxIncludeDepth = 64;
constexpr size_t kMaxIncludedFiles = 10000;

// One build of an include list: each file listed once, known by its identity whatever path
// names it (a path through a link to "." names the same file again), or by its path where
// the file cannot be examined.
class IncludeScan {
 public:
  explicit IncludeScan(std::vector<IncludeRecord>& list) : list_(list) {}

  void Scan(const std::string& path, int depth) {
    LineReader reader(path, 4096);
    if (!reader.IsOpen()) return;
    const std::string prefix = PrefixOf(path);
    const std::pair<std::string_view, IncludeKind> commands[] = {{"\\input", kIncludedByInput},
                                                                 {"\\include", kIncludedByInclude}};
    std::string_view line;
    while (list_.size() < kMaxIncludedFiles && !vklib::Interrupted() && reader.Next(line)) {
      for (const auto& [command, kind] : commands) {
        std::string file = ExtractIncludedFile(line, prefix, command);
        if (file.empty() || list_.size() == kMaxIncludedFiles || !FirstSight(file)) continue;
        list_.push_back({file, kind});
        if (depth < kMaxIncludeDepth) Scan(file, depth + 1);
      }
    }
  }

 private:
  // Notes a file; false when it was noted before.
  bool FirstSight(const std::string& path) {
    vklib::FileIdentity identity;
    if (vklib::IdentityOf(path, identity)) return identities_.insert(identity).second;
    return unexamined_.insert(PathKey(path)).second;
  }

  std::vector<IncludeRecord>& list_;
  std::set<vklib::FileIdentity> identities_;
  std::unordered_set<std::string> unexamined_;
};

}  // namespace

std::string ExtractIncludedFile(std::string_view line, const std::string& prefix,
                                std::string_view command) {
  size_t at = vklib::FindText(line, command);
  if (at == kNone) return std::string();
  size_t cut = std::min(vklib::FindText(line, "%"), vklib::FindText(line, "\\verb"));
  if (cut < at) return std::string();
  size_t after = at + command.size();
  if (after >= line.size() || (line[after] != '{' && line[after] != '[')) return std::string();
  size_t open = vklib::FindText(line, "{", at);
  if (open == kNone) return std::string();
  size_t close = vklib::FindText(line, "}", open + 1);
  if (close == kNone) return std::string();
  std::string file =
      WithPlatformSeparators(prefix + std::string(line.substr(open + 1, close - open - 1)));
  if (!HasExtension(file, ".tex")) file += ".tex";
  return file;
}

IncludeFilter::IncludeFilter(const std::string& target) : name_(SplitPath(target).name) {
  // An include names the target by its name, with or without ".tex" (which is appended), as the
  // last part of the path in braces; where paths ignore case, so does the name (ASCII letters
  // only: the lower-casing of paths changes no other ASCII byte).
  if (HasExtension(name_, ".tex")) name_.resize(name_.size() - 4);
  const bool ascii = std::all_of(name_.begin(), name_.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x80 && c != '?';
  });
  if (!ascii) name_.clear();
  if (vklib::kPathsIgnoreCase)
    std::transform(name_.begin(), name_.end(), name_.begin(), LowerAscii);
}

bool IncludeFilter::MayInclude(const std::string& path) const {
  if (name_.empty()) return true;
  if (!vklib::ReadWholeFile(path, bytes_)) return true;
  if (vklib::kPathsIgnoreCase)
    std::transform(bytes_.begin(), bytes_.end(), bytes_.begin(), LowerAscii);
  if (bytes_.find(name_) != std::string::npos) return true;
  // Not in the bytes: not in the text either, where the encoding keeps ASCII as it stands.
  return !vklib::TextFile::SampleKeepsAsciiRuns(
      reinterpret_cast<const unsigned char*>(bytes_.data()), bytes_.size());
}

void BuildIncludeList(std::vector<IncludeRecord>& list, const std::string& root) {
  list.clear();
  // The root is not noted as seen, so a file that includes the root lists it once more as an
  // ordinary record; every file it names is listed by then.
  list.push_back({root, kIncludeRoot});
  IncludeScan(list).Scan(root, 0);
}

bool ScanTeXFile(const std::string& path, ClassInfo& info, bool* includes_target,
                 const std::string* target) {
  if (includes_target != nullptr) *includes_target = false;
  LineReader reader(path, 4095);
  if (!reader.IsOpen()) return false;
  const std::string prefix = PrefixOf(path);
  bool verbatim = false;
  bool class_seen = false;
  std::string_view line_of_scan;
  const std::string target_key = target != nullptr ? PathKey(*target) : std::string();
  auto names_target = [&](std::string_view command) {
    std::string file = ExtractIncludedFile(line_of_scan, prefix, command);
    return !file.empty() && !target_key.empty() && PathKey(file) == target_key;
  };
  std::string_view line;
  while (reader.Next(line)) {
    // A line that holds none of the commands looked for, in any bytes, holds none in characters
    // either.
    if (!MayHoldCommand(line)) continue;
    // A line that opens a block is in the block, whatever else it holds: a block closed and
    // reopened on one line goes on.
    size_t comment = vklib::FindText(line, "%");
    size_t begin = vklib::FindText(line, "\\begin{verbatim}");
    if (begin != kNone && (comment == kNone || comment > begin)) {
      verbatim = true;
      continue;
    }
    if (verbatim) {
      size_t end = vklib::FindText(line, "\\end{verbatim}");
      if (end != kNone && (comment == kNone || comment > end)) verbatim = false;
      continue;
    }
    if (includes_target != nullptr && target != nullptr && !*includes_target) {
      line_of_scan = line;
      *includes_target = names_target("\\input") || names_target("\\include");
    }
    if (!class_seen) {
      if (!IsDocumentClassLine(line)) continue;
      class_seen = true;
      info = ExtractClassInfo(line);
    }
    if (includes_target == nullptr || target == nullptr || *includes_target) break;
  }
  return class_seen;
}
