#pragma once

#include <string>

// A place in a source file as a line of the pane names it, "file:line: message": the errors a
// build tells at its end, and TeX's own with -file-line-error.

struct SourceLocation {
  std::string file;  // as the line has it, relative to the document's directory or absolute
  int line = 0;
};

// "chapters/chap2.tex:3: Undefined control sequence."; "file: message" without a line, and the
// message alone without a file.
std::string LocationLine(const std::string& file, int line, const std::string& message);

// The place at the start of a line of the pane, up to the first ":" that a line number and a ":"
// follow (so the drive of "C:\doc\a.tex:3:" belongs to the file); false for a line naming none.
bool ParseLocation(const std::string& text, SourceLocation& location);
