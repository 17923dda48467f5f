#pragma once

#include <string>
#include <string_view>

// The text that crosses the bridge between Pressel2 (Shift_JIS, the ANSI code page) and the
// Linux programs (UTF-8), converted piece by piece as it arrives. A character cut between two
// pieces waits for the rest, so the result never depends on where the stream was cut, and
// Finish gives whatever is still held when the stream ends.

// The programs' output: each well-formed UTF-8 sequence becomes Shift_JIS (a character Shift_JIS
// lacks, its default character); any other byte passes as it is (a program that already writes
// Shift_JIS).
class Utf8ToShiftJis {
 public:
  std::string Convert(std::string_view piece);
  std::string Finish();

 private:
  std::string pending_;
};

// What the user types, for the programs: Shift_JIS to UTF-8. A lead byte without its second
// byte (a line end, or the end of the stream, after it) becomes "?".
class ShiftJisToUtf8 {
 public:
  std::string Convert(std::string_view piece);
  std::string Finish();

 private:
  std::string pending_;
};
