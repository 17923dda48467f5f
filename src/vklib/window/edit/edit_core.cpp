#include "vklib/window/edit/edit_core.h"

#include <algorithm>

namespace vklib::window::edit {

bool EditCore::Execute(Command& command) {
  std::unique_ptr<Command> inverse = command.Execute(*this);
  if (!inverse) return false;
  history_.Record(std::move(inverse));
  return true;
}

bool EditCore::HasSelection() const {
  return caret_.has_selection && caret_.selection_start != caret_.selection_end;
}

bool EditCore::Delete(Position start, Position end) {
  DeleteCommand command(start, end);
  return Execute(command);
}

bool EditCore::Append(std::string_view text) {
  if (text.empty()) return true;
  Position at = buffer_.End();
  // A caret the user put elsewhere, to read or select earlier lines, is left there.
  const bool follow = caret_.caret == at && !caret_.selecting;
  Position end;
  if (!buffer_.Insert(at, text, "\n", &end)) return false;
  history_.Record(std::make_unique<DeleteCommand>(at, end));
  if (follow) SetCaret(end);
  if (view_ != nullptr && view_->IsRedrawing()) view_->TextAppended(at);
  return true;
}

bool EditCore::InsertText(std::string_view text, std::string_view separator) {
  if (text.empty()) return true;
  if (HasSelection()) {
    caret_.selecting = false;
    if (!Delete(caret_.selection_start, caret_.selection_end)) return false;
  }
  caret_.has_selection = false;
  InsertCommand command(caret_.caret, std::string(text), std::string(separator));
  return Execute(command);
}

bool EditCore::DeleteForward() {
  if (HasSelection()) {
    caret_.selecting = false;
    return Delete(caret_.selection_start, caret_.selection_end);
  }
  Position from = caret_.caret;
  if (!Move(Motion::kRight, false)) return false;
  return Delete(from, caret_.caret);
}

bool EditCore::DeleteBackward() {
  if (HasSelection()) return DeleteForward();
  Position from = caret_.caret;
  if (!Move(Motion::kLeft, false)) return false;
  return Delete(caret_.caret, from);
}

bool EditCore::Overwrite(std::string_view text) {
  if (HasSelection()) return InsertText(text);
  const std::string* line = buffer_.Line(caret_.caret.line);
  if (line == nullptr) return false;
  if (text.empty()) return true;
  if (static_cast<size_t>(caret_.caret.offset) >= line->size()) return InsertText(text);
  // The whole character after the caret goes, so that no half of a double-byte one is left.
  Position next{caret_.caret.line, buffer_.NextCharOffset(caret_.caret.line, caret_.caret.offset)};
  ReplaceCommand command(caret_.caret, next, std::string(text), "\n");
  return Execute(command);
}

bool EditCore::Indent() {
  if (!HasSelection()) return InsertText("\t");
  Position first = caret_.selection_start;
  Position last = caret_.selection_end;
  caret_.selecting = false;
  ClearSelection();
  for (int32_t line = last.line; line >= first.line; --line) {
    if (buffer_.Line(line)->empty()) break;
    InsertCommand command({line, 0}, "\t", "\n");
    Execute(command);
  }
  Position end{last.line, static_cast<int32_t>(buffer_.Line(last.line)->size())};
  SetSelection({first.line, 0}, end);
  SetCaret(end);
  RepaintRows({first.line, 0}, end);
  ShowCaret(true);
  return true;
}

bool EditCore::MoveCaretToEnd(bool into_view) {
  if (caret_.has_selection) RepaintRows(caret_.selection_start, caret_.selection_end);
  SetCaret(buffer_.End());
  ShowCaret(into_view);
  return true;
}

void EditCore::Clear() {
  caret_.caret = {0, 0};
  caret_.selection_start = caret_.selection_end = caret_.anchor = {0, 0};
  caret_.has_selection = false;
  caret_.selecting = false;
  buffer_.Clear();
  SetCaret({0, 0});
  ShowCaret(false);
  if (view_ != nullptr && view_->IsRedrawing()) {
    view_->UpdateScrollRanges();
    view_->RepaintAll();
  }
}

void EditCore::SelectAll() {
  MoveCaretToEnd();
  Position end = caret_.caret;
  SetCaret({0, 0});
  SetSelection({0, 0}, end);
  caret_.selecting = false;
  RepaintRows({0, 0}, end);
  ShowCaret(true);
}

std::string EditCore::SelectedText() const {
  if (!HasSelection()) return std::string();
  return buffer_.Text(caret_.selection_start, caret_.selection_end);
}

bool EditCore::Move(Motion motion, bool extend, int32_t rows) {
  if (extend && !caret_.selecting) {
    ClearSelection();
    caret_.selecting = true;
    SetSelection(caret_.caret, caret_.caret);
  } else if (!extend && caret_.has_selection) {
    caret_.selecting = false;
    ClearSelection();
  }
  Position from = caret_.caret;
  const int32_t line_count = buffer_.LineCount();
  switch (motion) {
    case Motion::kLeft:
      if (from.offset > 0) {
        SetCaret({from.line, buffer_.PreviousCharOffset(from.line, from.offset)});
      } else if (from.line > 0) {
        SetCaret({from.line - 1, static_cast<int32_t>(buffer_.Line(from.line - 1)->size())});
      }
      break;
    case Motion::kRight:
      if (static_cast<size_t>(from.offset) < buffer_.Line(from.line)->size()) {
        SetCaret({from.line, buffer_.NextCharOffset(from.line, from.offset)});
      } else if (from.line + 1 < line_count) {
        SetCaret({from.line + 1, 0});
      }
      break;
    case Motion::kUp:
    case Motion::kDown: {
      int32_t step = motion == Motion::kUp ? -rows : rows;
      int32_t row = std::clamp(caret_.caret_row + step, 0, buffer_.DisplayRowCount() - 1);
      DisplayRow target = buffer_.GetDisplayRow(row);
      SetCaret({target.line, buffer_.OffsetAtColumn(row, caret_.remembered_column)}, false);
      break;
    }
    case Motion::kRowStart: {
      DisplayRow row = buffer_.GetDisplayRow(caret_.caret_row);
      SetCaret({row.line, row.start});
      break;
    }
    case Motion::kRowEnd: {
      const int32_t row_index = caret_.caret_row;
      DisplayRow row = buffer_.GetDisplayRow(row_index);
      SetCaret({row.line, row.start + row.length});
      // The end of a wrapped row is also the start of the next one: the caret stays shown
      // behind the row's last character, so that End again leaves it there.
      if (caret_.caret_row != row_index) {
        caret_.caret_row = row_index;
        caret_.caret_column = caret_.remembered_column = buffer_.RowWidth(row_index);
      }
      break;
    }
    case Motion::kTextStart:
      SetCaret({0, 0});
      break;
    case Motion::kTextEnd:
      SetCaret(buffer_.End());
      break;
  }
  if (caret_.selecting) {
    SetSelection(caret_.anchor, caret_.caret);
    RepaintRows(from, caret_.caret);
  }
  ShowCaret(true);
  return caret_.caret != from;
}

Position EditCore::PositionAt(int32_t row, int32_t column) const {
  row = std::clamp(row, 0, buffer_.DisplayRowCount() - 1);
  return {buffer_.GetDisplayRow(row).line, buffer_.OffsetAtColumn(row, std::max(column, 0))};
}

void EditCore::PressAt(Position position) {
  ClearSelection();
  SetCaret(position);
  caret_.selecting = true;
  SetSelection(position, position);
  ShowCaret(true);
}

void EditCore::DragTo(Position position) {
  Position from = caret_.caret;
  SetCaret(position);
  if (caret_.selecting) {
    SetSelection(caret_.anchor, position);
    RepaintRows(from, position);
  }
  ShowCaret(true);
}

void EditCore::ReleaseAt(Position position) {
  DragTo(position);
  caret_.selecting = false;
  if (caret_.selection_start == caret_.selection_end) caret_.has_selection = false;
}

void EditCore::SetCaret(Position position, bool remember_column) {
  caret_.caret = position;
  caret_.caret_row = buffer_.RowOf(position);
  caret_.caret_column = buffer_.DisplayColumn(position);
  if (remember_column) caret_.remembered_column = caret_.caret_column;
}

void EditCore::ClearSelection() {
  if (!caret_.has_selection) return;
  caret_.has_selection = false;
  RepaintRows(caret_.selection_start, caret_.selection_end);
}

void EditCore::TextChanged(Position from, Position to, bool rows_moved) {
  if (view_ == nullptr || !view_->IsRedrawing()) return;
  view_->UpdateScrollRanges();
  // A wrapped line can change on its later rows too: everything from `from` to the end of the
  // last changed line is shown anew.
  Position line_end{to.line, static_cast<int32_t>(buffer_.Line(to.line)->size())};
  if (rows_moved) {
    view_->Repaint(from, true);
  } else if (buffer_.RowOf(from) == buffer_.RowOf(line_end)) {
    view_->Repaint(from, false);
  } else {
    view_->RepaintRows(from, line_end);
  }
  view_->ScrollCaretIntoView();
  view_->UpdateCaret();
}

void EditCore::SetSelection(Position anchor, Position caret) {
  caret_.anchor = anchor;
  caret_.selection_start = std::min(anchor, caret);
  caret_.selection_end = std::max(anchor, caret);
  caret_.has_selection = true;
}

void EditCore::RepaintRows(Position from, Position to) {
  if (view_ != nullptr && view_->IsRedrawing() && from != to) {
    view_->RepaintRows(std::min(from, to), std::max(from, to));
  }
}

void EditCore::ShowCaret(bool scroll_into_view) {
  if (view_ == nullptr || !view_->IsRedrawing()) return;
  if (scroll_into_view) view_->ScrollCaretIntoView();
  view_->UpdateCaret();
}

}  // namespace vklib::window::edit
