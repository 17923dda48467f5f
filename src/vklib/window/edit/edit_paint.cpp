#include <algorithm>

#include "vklib/codepage.h"
#include "vklib/window/edit/edit_wnd.h"

namespace vklib::window::edit {
namespace {

// Fills a rectangle with a colour.
void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
}

}  // namespace

bool EditWnd::OnPaint(Wnd& wnd) {
  PAINTSTRUCT paint{};
  wnd.paint_dc = BeginPaint(wnd.Handle(), &paint);
  if (redraw_) {
    HDC dc = wnd.paint_dc;
    Fill(dc, paint.rcPaint, style_.text_back);
    ScopedSelectObject font(dc, wnd.Font());
    const int rows = core_.Buffer().DisplayRowCount();
    const int top = wnd.Vertical().Position();
    int first = top + std::max<int>((paint.rcPaint.top - kTopMargin) / cell_height_, 0);
    int last = top + (paint.rcPaint.bottom - kTopMargin + cell_height_ - 1) / cell_height_;
    for (int row = first; row <= std::min(last, rows - 1); ++row)
      PaintRow(dc, row);
  }
  EndPaint(wnd.Handle(), &paint);
  wnd.paint_dc = nullptr;
  return true;
}

void EditWnd::PaintRow(HDC dc, int row) {
  const TextBuffer& buffer = core_.Buffer();
  const DisplayRow shown = buffer.GetDisplayRow(row);
  const std::string& line = *buffer.Line(shown.line);
  const CaretState& caret = core_.Caret();
  const bool has_selection = core_.HasSelection();
  auto selected = [&](int offset) {
    Position at{shown.line, offset};
    return has_selection && caret.selection_start <= at && at < caret.selection_end;
  };
  const int left_column = Facade()->Horizontal().Position();
  const int y = (row - Facade()->Vertical().Position()) * cell_height_ + kTopMargin;
  auto x_of = [&](int column) { return (column - left_column) * cell_width_ + kLeftMargin; };

  int column = 0;
  int i = shown.start;
  const int end = shown.start + shown.length;
  while (i < end) {
    bool in_selection = selected(i);
    COLORREF back = in_selection ? style_.selected_text_back : style_.text_back;
    if (line[static_cast<size_t>(i)] == '\t') {
      int width = buffer.TabWidth() - column % buffer.TabWidth();
      Fill(dc, RECT{x_of(column), y, x_of(column + width), y + cell_height_}, back);
      column += width;
      ++i;
      continue;
    }
    // A run of characters without tabs and with one selection state.
    int j = i;
    int width = 0;
    while (j < end && line[static_cast<size_t>(j)] != '\t' && selected(j) == in_selection) {
      int length = static_cast<int>(CharLength(line, static_cast<size_t>(j)));
      width += length;
      j += length;
    }
    RECT cells{x_of(column), y, x_of(column + width), y + cell_height_};
    SetTextColor(dc, in_selection ? style_.selected_text : style_.text);
    SetBkColor(dc, back);
    ExtTextOutA(dc, cells.left, y, ETO_OPAQUE | ETO_CLIPPED, &cells, line.data() + i,
                static_cast<UINT>(j - i), nullptr);
    column += width;
    i = j;
  }
  const bool end_of_line = end == static_cast<int>(line.size());
  if (end_of_line) {
    PaintLineEnd(dc, x_of(column), y, shown.line == buffer.LineCount() - 1,
                 selected(static_cast<int>(line.size())));
  }
}

void EditWnd::PaintLineEnd(HDC dc, int x, int y, bool last_line, bool selected) {
  if (last_line) {
    SetTextColor(dc, style_.eof_text);
    SetBkColor(dc, style_.eof_back);
    TextOutA(dc, x, y, "[EOF]", 5);
    return;
  }
  RECT cell{x, y, x + cell_width_, y + cell_height_};
  Fill(dc, cell, selected ? style_.selected_mark_back : style_.mark_back);
  // A small downward arrow in the middle of the cell.
  UniquePen pen(CreatePen(PS_SOLID, 1, selected ? style_.selected_mark : style_.mark));
  ScopedSelectObject select(dc, pen.get());
  int middle = x + cell_width_ / 2;
  int top = y + cell_height_ / 4;
  int bottom = y + cell_height_ * 3 / 4;
  int wing = std::max(cell_width_ / 3, 1);
  MoveToEx(dc, middle, top, nullptr);
  LineTo(dc, middle, bottom + 1);
  MoveToEx(dc, middle - wing, bottom - wing, nullptr);
  LineTo(dc, middle, bottom);
  LineTo(dc, middle + wing + 1, bottom - wing - 1);
}

}  // namespace vklib::window::edit
