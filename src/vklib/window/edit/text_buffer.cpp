#include "vklib/window/edit/text_buffer.h"

#include <algorithm>

#include "vklib/codepage.h"

namespace vklib::window::edit {

TextBuffer::TextBuffer() : lines_(1) {
  RebuildAllRows();
}

const std::string* TextBuffer::Line(int32_t index) const {
  if (index < 0 || index >= LineCount()) return nullptr;
  return &lines_[static_cast<size_t>(index)];
}

Position TextBuffer::End() const {
  return {LineCount() - 1, static_cast<int32_t>(lines_.back().size())};
}

bool TextBuffer::Insert(Position at, std::string_view text, std::string_view separator,
                        Position* end) {
  if (at.line < 0 || at.line >= LineCount() || at.offset < 0) return false;
  std::string& line = lines_[static_cast<size_t>(at.line)];
  if (static_cast<size_t>(at.offset) > line.size()) return false;

  std::vector<std::string_view> pieces;
  size_t pos = 0;
  while (!separator.empty()) {
    size_t found = text.find(separator, pos);
    if (found == std::string_view::npos) break;
    pieces.push_back(text.substr(pos, found - pos));
    pos = found + separator.size();
  }
  pieces.push_back(text.substr(pos));

  Position last{at.line, at.offset + static_cast<int32_t>(pieces[0].size())};
  if (pieces.size() == 1) {
    line.insert(static_cast<size_t>(at.offset), pieces[0]);
  } else {
    std::string tail = line.substr(static_cast<size_t>(at.offset));
    line.resize(static_cast<size_t>(at.offset));
    line.append(pieces[0]);
    std::vector<std::string> added(pieces.begin() + 1, pieces.end());
    last = {at.line + static_cast<int32_t>(added.size()),
            static_cast<int32_t>(added.back().size())};
    added.back().append(tail);
    lines_.insert(lines_.begin() + at.line + 1, added.begin(), added.end());
  }
  int32_t touched = last.line - at.line + 1;
  if (!IsWrapping()) {
    for (int32_t i = at.line; i <= last.line; ++i) {
      widest_ = std::max(widest_, LineWidth(lines_[static_cast<size_t>(i)]));
    }
  }
  RebuildRows(at, 1, touched);
  if (end != nullptr) *end = last;
  return true;
}

std::optional<std::string> TextBuffer::Delete(Position start, Position end) {
  if (end < start) std::swap(start, end);
  const std::string* first = Line(start.line);
  const std::string* last = Line(end.line);
  if (first == nullptr || last == nullptr || start.offset < 0 ||
      static_cast<size_t>(start.offset) > first->size() ||
      static_cast<size_t>(end.offset) > last->size()) {
    return std::nullopt;
  }
  std::string removed;
  std::string joined = first->substr(0, static_cast<size_t>(start.offset));
  if (start.line == end.line) {
    removed = first->substr(static_cast<size_t>(start.offset),
                            static_cast<size_t>(end.offset - start.offset));
  } else {
    removed = first->substr(static_cast<size_t>(start.offset));
    for (int32_t i = start.line + 1; i < end.line; ++i)
      removed += "\n" + lines_[static_cast<size_t>(i)];
    removed += "\n" + last->substr(0, static_cast<size_t>(end.offset));
  }
  joined += last->substr(static_cast<size_t>(end.offset));
  lines_[static_cast<size_t>(start.line)] = std::move(joined);
  lines_.erase(lines_.begin() + start.line + 1, lines_.begin() + end.line + 1);
  RebuildRows(start, end.line - start.line + 1, 1);
  return removed;
}

std::string TextBuffer::Text(Position a, Position b) const {
  if (b < a) std::swap(a, b);
  const std::string* first = Line(a.line);
  const std::string* last = Line(b.line);
  if (first == nullptr || last == nullptr) return std::string();
  auto clamp = [](const std::string& line, int32_t offset) {
    return std::min(static_cast<size_t>(std::max(offset, 0)), line.size());
  };
  if (a.line == b.line) {
    size_t from = clamp(*first, a.offset);
    return first->substr(from, std::max(clamp(*first, b.offset), from) - from);
  }
  std::string text = first->substr(clamp(*first, a.offset));
  for (int32_t i = a.line + 1; i < b.line; ++i)
    text += "\r\n" + lines_[static_cast<size_t>(i)];
  return text + "\r\n" + last->substr(0, clamp(*last, b.offset));
}

void TextBuffer::Clear() {
  lines_.assign(1, std::string());
  widest_ = 0;
  RebuildAllRows();
}

int32_t TextBuffer::DisplayRowCount() const {
  return IsWrapping() ? static_cast<int32_t>(rows_.size()) : LineCount();
}

DisplayRow TextBuffer::GetDisplayRow(int32_t index) const {
  if (index < 0 || index >= DisplayRowCount()) return {};
  if (IsWrapping()) return rows_[static_cast<size_t>(index)];
  return {index, 0, static_cast<int32_t>(lines_[static_cast<size_t>(index)].size())};
}

int32_t TextBuffer::RowOf(Position position) const {
  if (!IsWrapping()) return std::clamp(position.line, 0, LineCount() - 1);
  auto after = std::upper_bound(rows_.begin(), rows_.end(), position,
                                [](Position value, const DisplayRow& row) {
                                  return value < Position{row.line, row.start};
                                });
  return std::max(static_cast<int32_t>(after - rows_.begin()) - 1, 0);
}

int32_t TextBuffer::DisplayColumn(Position position) const {
  const std::string* line = Line(position.line);
  if (line == nullptr) return 0;
  DisplayRow row = GetDisplayRow(RowOf(position));
  size_t stop = std::min(static_cast<size_t>(std::max(position.offset, 0)), line->size());
  return ColumnsBetween(*line, static_cast<size_t>(row.start), stop);
}

int32_t TextBuffer::RowWidth(int32_t row_index) const {
  DisplayRow row = GetDisplayRow(row_index);
  const std::string* line = Line(row.line);
  if (line == nullptr) return 0;
  return ColumnsBetween(*line, static_cast<size_t>(row.start),
                        static_cast<size_t>(row.start + row.length));
}

int32_t TextBuffer::ColumnsBetween(std::string_view line, size_t start, size_t stop) const {
  int32_t column = 0;
  for (size_t i = start; i < stop; i += CharLength(line, i))
    column += CharWidth(line, i, column);
  return column;
}

int32_t TextBuffer::OffsetAtColumn(int32_t row_index, int32_t column) const {
  DisplayRow row = GetDisplayRow(row_index);
  const std::string* line = Line(row.line);
  if (line == nullptr) return 0;
  size_t end = static_cast<size_t>(row.start + row.length);
  int32_t at = 0;
  size_t i = static_cast<size_t>(row.start);
  while (i < end) {
    at += CharWidth(*line, i, at);
    if (column < at) break;
    i += CharLength(*line, i);
  }
  return static_cast<int32_t>(std::min(i, end));
}

void TextBuffer::SetWrap(int32_t wrap_column) {
  wrap_column_ = std::max(wrap_column, 0);
  RecomputeWidest();
  RebuildAllRows();
}

void TextBuffer::SetTabWidth(int32_t width) {
  tab_width_ = std::max(width, 1);
  RecomputeWidest();
  RebuildAllRows();
}

void TextBuffer::RecomputeWidest() {
  widest_ = 0;
  if (IsWrapping()) return;
  for (const std::string& line : lines_)
    widest_ = std::max(widest_, LineWidth(line));
}

int32_t TextBuffer::PreviousCharOffset(int32_t line_index, int32_t offset) const {
  const std::string* line = Line(line_index);
  if (line == nullptr || offset <= 0) return 0;
  size_t previous = 0;
  for (size_t i = 0; i < static_cast<size_t>(offset) && i < line->size();
       i += CharLength(*line, i)) {
    previous = i;
  }
  return static_cast<int32_t>(previous);
}

int32_t TextBuffer::NextCharOffset(int32_t line_index, int32_t offset) const {
  const std::string* line = Line(line_index);
  if (line == nullptr || offset < 0) return 0;
  if (static_cast<size_t>(offset) >= line->size()) return static_cast<int32_t>(line->size());
  return offset + static_cast<int32_t>(CharLength(*line, static_cast<size_t>(offset)));
}

int32_t TextBuffer::CharWidth(std::string_view text, size_t pos, int32_t column) const {
  if (text[pos] == '\t') return tab_width_ - column % tab_width_;
  return static_cast<int32_t>(CharLength(text, pos));
}

void TextBuffer::AppendRows(int32_t line_index, int32_t from, std::vector<DisplayRow>& rows) const {
  const std::string& line = lines_[static_cast<size_t>(line_index)];
  const bool* lead = LeadByteTable();
  const size_t size = line.size();
  size_t start = static_cast<size_t>(from);
  size_t i = start;
  int32_t column = 0;
  while (i < size) {
    // The width of a character is its length in bytes, but for a tab.
    const unsigned char byte = static_cast<unsigned char>(line[i]);
    size_t length = lead[byte] && i + 1 < size ? 2 : 1;
    int32_t width = byte == '\t' ? tab_width_ - column % tab_width_ : static_cast<int32_t>(length);
    if (column > 0 && column + width > wrap_column_) {
      rows.push_back({line_index, static_cast<int32_t>(start), static_cast<int32_t>(i - start)});
      start = i;
      column = 0;
      continue;
    }
    column += width;
    i += length;
  }
  rows.push_back({line_index, static_cast<int32_t>(start), static_cast<int32_t>(size - start)});
}

size_t TextBuffer::FirstRowOfLine(int32_t line) const {
  return static_cast<size_t>(
      std::lower_bound(rows_.begin(), rows_.end(), line,
                       [](const DisplayRow& row, int32_t value) { return row.line < value; }) -
      rows_.begin());
}

void TextBuffer::RebuildRows(Position from, int32_t old_count, int32_t new_count) {
  if (!IsWrapping()) return;
  // A row end depends only on the characters in front of it, so the rows that end before the
  // character in front of `from` stay. The row holding that character can change: a deletion
  // at its end can leave no row behind it, and an insertion can pull in a character that had
  // been wrapped onto the next row. Rows are never rebuilt from further back, so that appending
  // to one long line stays linear.
  size_t begin = from.offset > 0 ? static_cast<size_t>(RowOf({from.line, from.offset - 1}))
                                 : FirstRowOfLine(from.line);
  size_t end = FirstRowOfLine(from.line + old_count);
  std::vector<DisplayRow> rows;
  AppendRows(from.line, rows_[begin].start, rows);
  for (int32_t line = from.line + 1; line < from.line + new_count; ++line)
    AppendRows(line, 0, rows);
  int32_t shift = new_count - old_count;
  if (shift != 0) {
    for (size_t i = end; i < rows_.size(); ++i)
      rows_[i].line += shift;
  }
  if (rows.size() == end - begin) {
    std::copy(rows.begin(), rows.end(), rows_.begin() + static_cast<std::ptrdiff_t>(begin));
    return;
  }
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(begin),
              rows_.begin() + static_cast<std::ptrdiff_t>(end));
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(begin), rows.begin(), rows.end());
}

void TextBuffer::RebuildAllRows() {
  rows_.clear();
  if (!IsWrapping()) return;
  for (int32_t line = 0; line < LineCount(); ++line)
    AppendRows(line, 0, rows_);
}

}  // namespace vklib::window::edit
