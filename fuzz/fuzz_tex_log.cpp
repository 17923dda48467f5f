// TeX's log as the end of a build reads it, and the lines of the pane a double-click reads: the
// input's lines are a log (TeX writes what the document holds into it). Whatever they hold, each
// error comes from a "!" line, and a place read from a line names a file and a positive line.
#include <string>
#include <vector>

#include "build/source_location.h"
#include "build/tex_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  size_t error_lines = 0;
  for (size_t start = 0; start <= input.size();) {
    size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    lines.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  for (const std::string& line : JoinBrokenLines(lines)) {
    if (line.compare(0, 2, "! ") == 0) ++error_lines;
    SourceLocation at;
    if (ParseLocation(line, at) && (at.file.empty() || at.line <= 0)) __builtin_trap();
  }
  const TeXLog log = ReadTeXLog(lines);
  if (log.errors.size() > error_lines) __builtin_trap();
  return 0;
}
