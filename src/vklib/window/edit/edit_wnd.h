#pragma once

#include <windows.h>

#include <string>

#include "vklib/window/base_wnd.h"
#include "vklib/window/edit/edit_core.h"

namespace vklib::window::edit {

// The appearance of an edit control.
struct EditStyle {
  COLORREF eof_text = RGB(128, 200, 128);
  COLORREF mark = RGB(128, 200, 128);
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF selected_eof_text = RGB(0, 0, 0);
  COLORREF selected_mark = RGB(255, 255, 255);
  COLORREF selected_text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  COLORREF eof_back = GetSysColor(COLOR_WINDOW);
  COLORREF mark_back = GetSysColor(COLOR_WINDOW);
  COLORREF text_back = GetSysColor(COLOR_WINDOW);
  COLORREF selected_mark_back = RGB(100, 180, 100);
  COLORREF selected_text_back = GetSysColor(COLOR_HIGHLIGHT);
  int tab_width = 4;
  int wrap_column = 80;
  int history_limit = 100;
  std::string font_face = "ＭＳ ゴシック";
  int font_height = 16;
  int font_width = 0;
  int font_weight = 400;
};

// The program's own text control: a TextBuffer shown in a fixed-pitch font with a caret, mouse
// and keyboard selection, scroll bars, input-method text, clipboard copy, line-end marks and
// an "[EOF]" mark. The text lives in an EditCore; this class is its view.
class EditWnd : public BaseWnd, public EditView {
 public:
  static constexpr int kLeftMargin = 8;
  static constexpr int kTopMargin = 2;

  explicit EditWnd(HINSTANCE instance, EditStyle style = EditStyle());

  EditCore& Core() { return core_; }
  const EditCore& Core() const { return core_; }

  bool MoveCaretToEnd(bool into_view = false) { return core_.MoveCaretToEnd(into_view); }
  bool InsertText(const std::string& text, const std::string& separator) {
    return core_.InsertText(text, separator);
  }
  // Puts the selection on the clipboard (CF_TEXT, lines joined by CR LF); the selection stays.
  // False without a selection or when the clipboard cannot be had.
  bool Copy();
  void SelectAll() { core_.SelectAll(); }
  void Clear() { core_.Clear(); }

  // The position shown at a client point.
  Position PositionAt(int x, int y) const;
  int CellWidth() const { return cell_width_; }
  int CellHeight() const { return cell_height_; }

  bool read_only = false;
  bool overwrite = false;

 protected:
  bool OnCreate(Wnd& wnd) override;
  bool OnPaint(Wnd& wnd) override;
  bool OnSize(Wnd& wnd, int type, int width, int height) override;
  bool OnSetFocus(Wnd& wnd, Wnd& lost) override;
  bool OnKillFocus(Wnd& wnd, Wnd& gained) override;
  bool OnMouseMove(Wnd& wnd, const MouseEvent& mouse, WPARAM keys) override;
  bool OnLButtonDown(Wnd& wnd, const MouseEvent& mouse, bool double_click) override;
  bool OnLButtonUp(Wnd& wnd, const MouseEvent& mouse) override;
  bool OnMouseWheel(Wnd& wnd, const MouseEvent& mouse, int notches, int keys) override;
  bool OnKey(Wnd& wnd, bool down, unsigned key, int repeat) override;
  bool OnChar(Wnd& wnd, unsigned code, int repeat) override;
  bool OnImeComposition(Wnd& wnd) override;
  bool OnHScroll(Wnd& wnd, int delta) override;
  bool OnVScroll(Wnd& wnd, int delta) override;
  bool OnMessage(Wnd& wnd, UINT message, WPARAM w, LPARAM l, LRESULT& result) override;

  // EditView.
  bool IsRedrawing() const override { return Facade() != nullptr && redraw_; }
  void UpdateScrollRanges() override;
  void Repaint(Position from, bool to_end_of_text) override;
  void RepaintRows(Position from, Position to) override;
  void RepaintAll() override;
  void UpdateCaret() override { ShowCaret(true); }
  void ScrollCaretIntoView() override;
  void TextAppended(Position from) override;

 private:
  // Brings scroll ranges, view and caret up to the text appended since the last time. The view
  // follows the end only when the end was in view: the user may be reading earlier lines.
  void CatchUpWithAppended();
  // The last row is shown, counting rows as the vertical scroll range does: without the text
  // appended since the last catch-up.
  bool EndInView() const;
  // Scrolls the least way that shows a display row and column.
  void ScrollIntoView(int row, int column);
  void ApplyFont(Wnd& wnd);
  void ShowCaret(bool show);
  // Scrolls by a number of rows or columns: a short way moves the pixels, a page or more paints
  // everything again.
  void ScrollBy(Wnd& wnd, bool vertical, int delta);
  int PageRows() const;
  int PageColumns() const;
  RECT RowRect(int row) const;
  void PaintRow(HDC dc, int row);
  void PaintLineEnd(HDC dc, int x, int y, bool last_line, bool selected);

  bool redraw_ = true;
  EditStyle style_;
  EditCore core_{this};
  int cell_width_ = 8;
  int cell_height_ = 16;
  bool has_caret_ = false;
  // Output arrives in many pieces while a program runs; the view catches up with them once the
  // message loop gets to it, not once a piece.
  bool appended_ = false;
  Position appended_from_;
};

}  // namespace vklib::window::edit
