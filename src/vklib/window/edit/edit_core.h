#pragma once

#include <string>
#include <string_view>

#include "vklib/window/edit/command_history.h"
#include "vklib/window/edit/edit_view.h"
#include "vklib/window/edit/text_buffer.h"

namespace vklib::window::edit {

// Caret and selection of an edit control.
struct CaretState {
  Position caret;
  Position selection_start;  // never after selection_end
  Position selection_end;
  Position anchor;           // where the selection began
  int32_t caret_column = 0;  // display column and row of the caret
  int32_t caret_row = 0;
  int32_t remembered_column = 0;  // the column that vertical moves aim at
  bool has_selection = false;
  bool selecting = false;  // a mouse drag or a Shift extension is in progress
};

// Caret moves of the keyboard. A row is a display row; the text's start and end are those of
// the whole text.
enum class Motion { kLeft, kRight, kUp, kDown, kRowStart, kRowEnd, kTextStart, kTextEnd };

// The text of an edit control with its caret, selection and command history: everything of
// the control but the window. Every change goes through a command whose inverse is recorded;
// the view is told what to repaint.
class EditCore {
 public:
  explicit EditCore(EditView* view = nullptr) : view_(view) {}

  TextBuffer& Buffer() { return buffer_; }
  const TextBuffer& Buffer() const { return buffer_; }
  CommandHistory& History() { return history_; }
  const CaretState& Caret() const { return caret_; }

  // Inserts at the caret, replacing a non-empty selection. An empty text does nothing.
  bool InsertText(std::string_view text, std::string_view separator = "\n");
  // Adds text behind the end, as a program's output arrives: nothing already there moves and a
  // selection stays selected. A caret at the end goes to the new end, unless the user is
  // dragging a selection; a caret elsewhere stays. The view is told once it gets to it
  // (EditView::TextAppended).
  bool Append(std::string_view text);
  // Removes the text between two positions; the caret goes to the start.
  bool Delete(Position start, Position end);
  // The Delete key: the selection, or the character after the caret.
  bool DeleteForward();
  // Backspace: the selection, or the character before the caret.
  bool DeleteBackward();
  // Typing in overwrite mode: replaces the character after the caret (inserts at a line end).
  bool Overwrite(std::string_view text);
  // The Tab key: a tab at the caret, or one in front of each selected line.
  bool Indent();
  // Puts the caret at the end of the text, a selection staying as it is. With `into_view` the
  // view scrolls to it, and so follows the output again.
  bool MoveCaretToEnd(bool into_view = false);
  // Empties the text; the caret goes to the start. The history stays.
  void Clear();
  void SelectAll();
  // The selected text, lines joined by "\r\n"; empty without a selection.
  std::string SelectedText() const;
  bool HasSelection() const;

  // Caret moves of the keyboard: with `extend` (Shift held) the selection follows the caret,
  // otherwise an existing selection is cleared first. Up and Down move `rows` display rows.
  bool Move(Motion motion, bool extend, int32_t rows = 1);
  // The position shown at a display row and column (clamped to the text).
  Position PositionAt(int32_t row, int32_t column) const;
  // Mouse selection: press, drag, release.
  void PressAt(Position position);
  void DragTo(Position position);
  void ReleaseAt(Position position);

  // Used by the commands.
  void SetCaret(Position position, bool remember_column = true);
  void ClearSelection();
  // After a change from `from` to `to` (the end of what is there now): scroll ranges, repaint
  // and caret follow. Unless `rows_moved`, the rows behind the changed lines stayed in place.
  void TextChanged(Position from, Position to, bool rows_moved);

 private:
  bool Execute(Command& command);
  void SetSelection(Position anchor, Position caret);
  void RepaintRows(Position from, Position to);
  void ShowCaret(bool scroll_into_view);

  EditView* view_;
  TextBuffer buffer_;
  CommandHistory history_;
  CaretState caret_;
};

}  // namespace vklib::window::edit
