#pragma once

#include <string>
#include <vector>

// The text that crosses the bridge between Pressel2 (Shift_JIS) and the Linux programs (UTF-8),
// converted piece by piece: a character cut between two pieces waits for the rest.

// The programs' output: UTF-8 becomes Shift_JIS; bytes that are not UTF-8 (a program already
// writing Shift_JIS) pass unchanged.
class Utf8ToShiftJis {
 public:
  std::string Convert(const std::string& piece);

 private:
  std::string pending_;
};

// What the user types, for the programs.
class ShiftJisToUtf8 {
 public:
  std::string Convert(const std::string& piece);

 private:
  std::string pending_;
};

// Wide text in a code page (CP_UTF8, CP_ACP).
std::string Narrow(unsigned code_page, const std::wstring& wide);

// Whether kpsewhich is asked for a search path (its answer then needs Windows paths).
bool IsPathQuery(const std::vector<std::wstring>& arguments);

// A search path as kpsewhich prints it on Linux ("/a:/b//" on one line) in the form Windows
// programs read it ("Z:\a;Z:\b\\").
std::string WindowsSearchPath(const std::string& unix_search_path);
