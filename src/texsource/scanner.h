#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reading TeX sources line by line with a few textual rules: a "%" anywhere starts a comment
// (even after a backslash), the first "\verb" hides the rest of its line, and only the first
// occurrence of a command in a line counts, when it stands before both.

enum IncludeKind : int32_t { kIncludedByInput = 0, kIncludedByInclude = 1, kIncludeRoot = 2 };

struct IncludeRecord {
  std::string path;
  int32_t kind;
};

// The options between "[" and "]" of a document-class line, and the class between "{" and "}".
struct ClassInfo {
  std::string options;
  std::string name;
};

// The file that `command` ("\input" or "\include") names in a line, as `prefix` (a directory
// and its separator) followed by the name, with ".tex" appended unless it ends so; empty when
// the line names none.
std::string ExtractIncludedFile(std::string_view line, const std::string& prefix,
                                std::string_view command);

// The root followed by every file it brings in, depth first, each file once: a file is known by
// its identity, so no path through links names it twice. At most 10000 files, 64 levels deep;
// an interruption (vklib::Interrupted) ends the scan with the files listed so far.
void BuildIncludeList(std::vector<IncludeRecord>& list, const std::string& root);

// Tells quickly of most files that they cannot include a target, so that a search need not read
// their lines: the target's name (ASCII) does not occur in a file's bytes, in an encoding that
// keeps ASCII as it stands.
class IncludeFilter {
 public:
  explicit IncludeFilter(const std::string& target);
  // False only when the file cannot include the target.
  bool MayInclude(const std::string& path) const;

 private:
  std::string name_;  // what an include of the target must hold; "" when the bytes cannot tell
  mutable std::string bytes_;  // the file read last, kept for its room
};

// Reads a file up to its first effective document-class line (outside verbatim blocks) and
// fills `info` from it; with a target, reads on until it has also seen an \input or \include of
// the target, and tells in `includes_target` whether it did. True when a class line was found.
bool ScanTeXFile(const std::string& path, ClassInfo& info, bool* includes_target = nullptr,
                 const std::string* target = nullptr);
