#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vklib::window::edit {

// A place in the text: a line and a byte offset within it.
struct Position {
  int32_t line = 0;
  int32_t offset = 0;

  friend bool operator==(Position a, Position b) {
    return a.line == b.line && a.offset == b.offset;
  }
  friend bool operator!=(Position a, Position b) { return !(a == b); }
  friend bool operator<(Position a, Position b) {
    return a.line < b.line || (a.line == b.line && a.offset < b.offset);
  }
  friend bool operator>(Position a, Position b) { return b < a; }
  friend bool operator<=(Position a, Position b) { return !(b < a); }
  friend bool operator>=(Position a, Position b) { return !(a < b); }
};
inline constexpr Position kNoPosition{-1, -1};

// What one row on the screen shows: a piece of a line.
struct DisplayRow {
  int32_t line = 0;
  int32_t start = 0;
  int32_t length = 0;
};

// The text of an edit control: lines of bytes in the ANSI code page, without line ends. Columns
// count a byte as one and a tab up to the next tab stop, so a double-byte character takes two,
// as in a fixed-pitch font. With wrapping on, lines are cut into display rows at the wrap
// column, and a double-byte character is never cut.
class TextBuffer {
 public:
  TextBuffer();

  int32_t LineCount() const { return static_cast<int32_t>(lines_.size()); }
  // The line's bytes, or null when there is no such line.
  const std::string* Line(int32_t index) const;
  Position End() const;

  // Inserts `text` at `at`; every `separator` in it starts a new line. False when `at` names no
  // line or lies beyond its line's end.
  bool Insert(Position at, std::string_view text, std::string_view separator, Position* end);
  // Removes the text between two positions (in either order), lines joined by "\n".
  std::optional<std::string> Delete(Position start, Position end);
  // The text between two positions in either order, lines joined by "\r\n".
  std::string Text(Position a, Position b) const;
  // Back to one empty line.
  void Clear();

  // Display rows: without wrapping one per line.
  int32_t DisplayRowCount() const;
  DisplayRow GetDisplayRow(int32_t index) const;
  // The display row that shows a position (the end of a row counts as the start of the next one,
  // except at the end of its line).
  int32_t RowOf(Position position) const;
  // Column of a byte offset within its display row.
  int32_t DisplayColumn(Position position) const;
  // The columns a display row takes.
  int32_t RowWidth(int32_t row) const;
  // The byte offset in a display row in front of the character that covers a column (so never
  // inside a double-byte character or behind a tab whose span holds the column); beyond the
  // row's end, the row's end.
  int32_t OffsetAtColumn(int32_t row, int32_t column) const;
  // Display width of the widest line seen so far; it grows with insertions only, and is kept
  // while wrapping is off (wrapped text is as wide as the wrap column).
  int32_t WidestLine() const { return widest_; }

  void SetWrap(int32_t wrap_column);  // wrapping is on when the column is 1 or more
  bool IsWrapping() const { return wrap_column_ >= 1; }
  int32_t WrapColumn() const { return wrap_column_; }
  void SetTabWidth(int32_t width);
  int32_t TabWidth() const { return tab_width_; }

  // The offset of the character before / after `offset` in a line (DBCS-aware).
  int32_t PreviousCharOffset(int32_t line, int32_t offset) const;
  int32_t NextCharOffset(int32_t line, int32_t offset) const;

 private:
  // Width of the character at `pos` of `text` when it starts at column `column`.
  int32_t CharWidth(std::string_view text, size_t pos, int32_t column) const;
  // Columns of the bytes of a line from `start` (at column 0) up to `stop`.
  int32_t ColumnsBetween(std::string_view line, size_t start, size_t stop) const;
  int32_t LineWidth(std::string_view line) const { return ColumnsBetween(line, 0, line.size()); }
  // Cuts a line into rows from `start`, which begins a row.
  void AppendRows(int32_t line, int32_t start, std::vector<DisplayRow>& rows) const;
  // After a change that began at `from` and turned `old_count` lines starting with from's line
  // into `new_count` lines: rebuilds the rows that can have changed and shifts the line numbers
  // of the rows behind.
  void RebuildRows(Position from, int32_t old_count, int32_t new_count);
  void RebuildAllRows();
  void RecomputeWidest();
  size_t FirstRowOfLine(int32_t line) const;

  std::vector<std::string> lines_;
  std::vector<DisplayRow> rows_;  // kept while wrapping
  int32_t tab_width_ = 4;
  int32_t wrap_column_ = 80;
  int32_t widest_ = 0;
};

}  // namespace vklib::window::edit
