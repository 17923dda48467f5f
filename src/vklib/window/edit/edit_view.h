#pragma once

#include "vklib/window/edit/text_buffer.h"

namespace vklib::window::edit {

// What the text of an edit control needs from the window that shows it. The Windows control
// implements it; tests record the calls.
class EditView {
 public:
  virtual ~EditView() = default;
  // A window exists and its redraw flag is on; otherwise scroll bars, view position and
  // pixels are left alone.
  virtual bool IsRedrawing() const = 0;
  // The display-row count or the width changed: the scroll ranges follow.
  virtual void UpdateScrollRanges() = 0;
  // Repaints from a position to the end of its display row, or to the end of the text.
  virtual void Repaint(Position from, bool to_end_of_text) = 0;
  // Repaints the display rows that show the text between two positions.
  virtual void RepaintRows(Position from, Position to) = 0;
  virtual void RepaintAll() = 0;
  // Puts the caret where the caret position is shown (creating it when needed).
  virtual void UpdateCaret() = 0;
  // Scrolls so that the caret is inside the window.
  virtual void ScrollCaretIntoView() = 0;
  // Text was added behind `from`, the former end. The view may gather several of these and
  // catch up once (scroll ranges, repaint, caret in view).
  virtual void TextAppended(Position from) = 0;
};

}  // namespace vklib::window::edit
