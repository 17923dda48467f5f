#pragma once

#include <string>
#include <vector>

// What the end of a build tells from TeX's .log: the errors with the file and line TeX was
// reading, the warnings the user has to act on, and the file TeX wrote.

struct TeXError {
  std::string file;  // as TeX named the file it was reading ("./chapters/chap2.tex"); "" for none
  int line = 0;      // from TeX's "l.NN" line; 0 when it gave none
  std::string message;  // the "!" line without "! " ("Undefined control sequence.")
};

struct TeXLog {
  std::vector<TeXError> errors;
  size_t undefined_references = 0;  // labels, each counted once
  size_t undefined_citations = 0;   // keys, each counted once
  bool rerun = false;               // a warning asks for another LaTeX run
  std::string output;               // the file of "Output written on", without quotes; or ""
  bool no_pages = false;            // "No pages of output."
  // The files TeX opened, and those LaTeX looked for in vain ("No file main.toc."), as named.
  std::vector<std::string> inputs;
};

// Joins the lines TeX broke at its width of 79 (TeX Live's max_print_line), counted as the
// engine named in the first line counts it. The lines are Shift_JIS.
std::vector<std::string> JoinBrokenLines(const std::vector<std::string>& lines);

// Reads a log's lines (Shift_JIS, as vklib::TextFile reads them). The file of an error is the
// innermost one open at its "!" line, followed through the parentheses TeX writes when it opens
// and closes a file; the source text TeX quotes around an error or an overfull box is no part
// of that. An emergency stop or a fatal error behind another error is no error of its own.
TeXLog ReadTeXLog(const std::vector<std::string>& lines);

// The log file at a path, in any encoding TextFile reads; false when it cannot be read.
bool ReadTeXLogFile(const std::string& path, TeXLog& log);
