#include "vklib/window/edit/edit_wnd.h"

#include <imm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vklib::window::edit {
namespace {

// A flood of output is shown some thirty times a second, not once a piece: the view catches
// up with appended text on a timer (or at once, when any other message comes first).
constexpr UINT_PTR kCatchUpTimer = 0x0A99;
constexpr UINT kCatchUpMilliseconds = 30;

}  // namespace

EditWnd::EditWnd(HINSTANCE instance, EditStyle style)
    : BaseWnd("VelkaroEditWnd", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL,
              instance, false),
      style_(std::move(style)) {
  core_.Buffer().SetTabWidth(style_.tab_width);
  core_.Buffer().SetWrap(style_.wrap_column);
  core_.History().SetLimit(style_.history_limit);
}

void EditWnd::ApplyFont(Wnd& wnd) {
  wnd.SetFont(style_.font_face, style_.font_height, style_.font_width, style_.font_weight);
  cell_width_ = std::max<int>(wnd.Metrics().tmAveCharWidth, 1);
  cell_height_ = std::max<int>(wnd.Metrics().tmHeight, 1);
  // The input method composes in the same font, in Shift_JIS.
  LOGFONTA font{};
  font.lfHeight = style_.font_height / 2 * 2;
  font.lfWidth = style_.font_width;
  font.lfWeight = style_.font_weight;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strncpy(font.lfFaceName, style_.font_face.c_str(), LF_FACESIZE - 1);
  if (HIMC context = ImmGetContext(wnd.Handle())) {
    ImmSetCompositionFontA(context, &font);
    ImmReleaseContext(wnd.Handle(), context);
  }
}

bool EditWnd::OnCreate(Wnd& wnd) {
  ApplyFont(wnd);
  UpdateScrollRanges();
  return true;
}

bool EditWnd::OnSize(Wnd& wnd, int, int, int) {
  // The pages follow the size, and the system keeps the positions within the new ranges: a
  // larger page can move the first row or column shown. The pixels kept from before the change
  // would still show the old ones, so everything is painted anew then. The end of the text
  // stays in view when it was, as the end of a program's output is followed.
  ScrollBar& vertical = wnd.Vertical();
  const int old_top = vertical.Position();
  const int old_left = wnd.Horizontal().Position();
  const int last_row = core_.Buffer().DisplayRowCount() - 1;
  const bool end_in_view = EndInView();
  UpdateScrollRanges();
  if (end_in_view && last_row >= vertical.Position() + PageRows()) {
    vertical.SetPosition(last_row - PageRows() + 1);
  }
  if (vertical.Position() != old_top || wnd.Horizontal().Position() != old_left) {
    wnd.Invalidate(nullptr);
  }
  ShowCaret(true);
  return true;
}

bool EditWnd::OnSetFocus(Wnd& wnd, Wnd&) {
  ApplyFont(wnd);
  has_caret_ = false;
  ShowCaret(true);
  return true;
}

bool EditWnd::OnKillFocus(Wnd&, Wnd&) {
  ShowCaret(false);
  return true;
}

void EditWnd::ShowCaret(bool show) {
  Wnd* wnd = Facade();
  if (wnd == nullptr) return;
  if (!show) {
    if (has_caret_) DestroyCaret();
    has_caret_ = false;
    return;
  }
  if (GetFocus() != wnd->Handle()) return;  // one caret per thread: only its focus owner's
  if (!has_caret_) {
    CreateCaret(wnd->Handle(), nullptr, overwrite ? cell_width_ : 1, cell_height_);
    has_caret_ = true;
  } else {
    HideCaret(wnd->Handle());
  }
  const CaretState& caret = core_.Caret();
  POINT point{(caret.caret_column - wnd->Horizontal().Position()) * cell_width_ + kLeftMargin,
              (caret.caret_row - wnd->Vertical().Position()) * cell_height_ + kTopMargin};
  SetCaretPos(point.x, point.y);
  ::ShowCaret(wnd->Handle());
  if (HIMC context = ImmGetContext(wnd->Handle())) {
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = point;
    ImmSetCompositionWindow(context, &form);
    ImmReleaseContext(wnd->Handle(), context);
  }
}

int EditWnd::PageRows() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return std::max<int>((client.bottom - kTopMargin) / cell_height_, 1);
}

int EditWnd::PageColumns() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return std::max<int>((client.right - kLeftMargin) / cell_width_, 1);
}

void EditWnd::UpdateScrollRanges() {
  Wnd* wnd = Facade();
  if (wnd == nullptr || !redraw_) return;
  const TextBuffer& buffer = core_.Buffer();
  wnd->Vertical().SetRangeAndPage(0, buffer.DisplayRowCount(), static_cast<unsigned>(PageRows()));
  wnd->Horizontal().SetRangeAndPage(0,
                                    buffer.IsWrapping() ? buffer.WrapColumn() : buffer.WidestLine(),
                                    static_cast<unsigned>(PageColumns()));
}

RECT EditWnd::RowRect(int row) const {
  RECT client{};
  GetClientRect(Handle(), &client);
  int top = (row - Facade()->Vertical().Position()) * cell_height_ + kTopMargin;
  return RECT{0, top, client.right, top + cell_height_};
}

void EditWnd::Repaint(Position from, bool to_end_of_text) {
  RECT rect = RowRect(core_.Buffer().RowOf(from));
  if (to_end_of_text) {
    RECT client{};
    GetClientRect(Handle(), &client);
    rect.bottom = client.bottom;
  } else {
    rect.left = std::max<LONG>(
        (core_.Buffer().DisplayColumn(from) - Facade()->Horizontal().Position()) * cell_width_ +
            kLeftMargin,
        0);
  }
  Facade()->Invalidate(&rect);
}

void EditWnd::RepaintRows(Position from, Position to) {
  RECT first = RowRect(core_.Buffer().RowOf(from));
  RECT last = RowRect(core_.Buffer().RowOf(to));
  RECT rect{0, first.top, first.right, last.bottom};
  Facade()->Invalidate(&rect);
}

void EditWnd::RepaintAll() {
  Facade()->Invalidate(nullptr);
}

void EditWnd::ScrollCaretIntoView() {
  // The ranges must count appended rows before the caret can be brought among them.
  CatchUpWithAppended();
  ScrollIntoView(core_.Caret().caret_row, core_.Caret().caret_column);
}

bool EditWnd::EndInView() const {
  const ScrollBar& bar = Facade()->Vertical();
  return bar.Maximum() <= bar.Position() + static_cast<int>(bar.Page());
}

void EditWnd::ScrollIntoView(int row, int column) {
  Wnd* wnd = Facade();
  if (wnd == nullptr || !redraw_) return;
  for (bool vertical : {true, false}) {
    ScrollBar& bar = vertical ? wnd->Vertical() : wnd->Horizontal();
    int page = vertical ? PageRows() : PageColumns();
    int at = vertical ? row : column;
    int position = bar.Position();
    int wanted = position;
    if (at >= position + page) wanted = at - page + 1;
    if (at < position) wanted = at;
    if (wanted != position) ScrollBy(*wnd, vertical, wanted - position);
  }
}

void EditWnd::TextAppended(Position from) {
  if (appended_) {
    appended_from_ = std::min(appended_from_, from);
    return;
  }
  appended_ = true;
  appended_from_ = from;
  SetTimer(Handle(), kCatchUpTimer, kCatchUpMilliseconds, nullptr);
}

void EditWnd::CatchUpWithAppended() {
  if (!appended_ || !IsRedrawing()) return;
  appended_ = false;
  KillTimer(Handle(), kCatchUpTimer);
  const bool follow = EndInView();
  UpdateScrollRanges();
  if (follow) {
    const TextBuffer& buffer = core_.Buffer();
    ScrollIntoView(buffer.RowOf(buffer.End()), buffer.DisplayColumn(buffer.End()));
  }
  Repaint(appended_from_, true);
  ShowCaret(true);
}

bool EditWnd::OnMessage(Wnd&, UINT message, WPARAM w, LPARAM, LRESULT& result) {
  // Whatever comes (a paint, a scroll, a click) sees the view as the text is now.
  CatchUpWithAppended();
  if (message != WM_TIMER || w != kCatchUpTimer) return false;
  result = 0;
  return true;
}

void EditWnd::ScrollBy(Wnd& wnd, bool vertical, int delta) {
  if (delta == 0) return;
  ScrollBar& bar = vertical ? wnd.Vertical() : wnd.Horizontal();
  int old_position = bar.Position();
  bar.SetPosition(old_position + delta);
  int moved = bar.Position() - old_position;
  if (moved == 0) return;
  int page = vertical ? PageRows() : PageColumns();
  if (std::abs(moved) >= page) {
    wnd.Invalidate(nullptr);
  } else {
    RECT client{};
    GetClientRect(wnd.Handle(), &client);
    if (vertical) {
      wnd.ScrollPixels(0, -moved * cell_height_);
      RECT margin{0, 0, client.right, kTopMargin};
      wnd.Invalidate(&margin);
    } else {
      wnd.ScrollPixels(-moved * cell_width_, 0);
      RECT margin{0, 0, kLeftMargin, client.bottom};
      wnd.Invalidate(&margin);
    }
  }
  ShowCaret(true);
}

bool EditWnd::OnVScroll(Wnd& wnd, int delta) {
  ScrollBy(wnd, true, delta);
  return true;
}

bool EditWnd::OnHScroll(Wnd& wnd, int delta) {
  ScrollBy(wnd, false, delta);
  return true;
}

bool EditWnd::OnMouseWheel(Wnd& wnd, const MouseEvent&, int notches, int keys) {
  // As far a notch as the system's setting says: lines (or a page), or columns with Shift.
  const bool sideways = (keys & MK_SHIFT) != 0;
  UINT step = 3;
  SystemParametersInfoA(sideways ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &step, 0);
  const int page = sideways ? PageColumns() : PageRows();
  // More than a page a notch is a page: a huge setting must not overflow.
  const int amount = step == WHEEL_PAGESCROLL ? page : static_cast<int>(std::min<UINT>(step, page));
  ScrollBy(wnd, !sideways, -notches * amount);  // a turn away from the user goes up or left
  return true;
}

Position EditWnd::PositionAt(int x, int y) const {
  Wnd* wnd = Facade();
  int column = (x - kLeftMargin) / cell_width_ + (wnd ? wnd->Horizontal().Position() : 0);
  int row = (y - kTopMargin) / cell_height_ + (wnd ? wnd->Vertical().Position() : 0);
  return core_.PositionAt(row, column);
}

bool EditWnd::OnLButtonDown(Wnd& wnd, const MouseEvent& mouse, bool) {
  core_.PressAt(PositionAt(mouse.x, mouse.y));
  SetCapture(wnd.Handle());
  return true;
}

bool EditWnd::OnMouseMove(Wnd&, const MouseEvent& mouse, WPARAM keys) {
  if ((keys & MK_LBUTTON) == 0 || !core_.Caret().selecting) return false;
  core_.DragTo(PositionAt(mouse.x, mouse.y));
  return true;
}

bool EditWnd::OnLButtonUp(Wnd& wnd, const MouseEvent& mouse) {
  // A key can have ended the selection during the drag; the capture goes all the same, or the
  // next click anywhere in the window would come here.
  if (GetCapture() == wnd.Handle()) ReleaseCapture();
  if (!core_.Caret().selecting) return false;
  core_.ReleaseAt(PositionAt(mouse.x, mouse.y));
  return true;
}

bool EditWnd::OnKey(Wnd& wnd, bool down, unsigned key, int) {
  if (!down) return true;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_LEFT:
      core_.Move(Motion::kLeft, shift);
      break;
    case VK_RIGHT:
      core_.Move(Motion::kRight, shift);
      break;
    case VK_UP:
      core_.Move(Motion::kUp, shift);
      break;
    case VK_DOWN:
      core_.Move(Motion::kDown, shift);
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      int page = PageRows();
      bool up = key == VK_PRIOR;
      if (redraw_) ScrollBy(wnd, true, up ? -page : page);
      core_.Move(up ? Motion::kUp : Motion::kDown, shift, page);
      break;
    }
    case VK_HOME:
      core_.Move(control ? Motion::kTextStart : Motion::kRowStart, shift);
      break;
    case VK_END:
      core_.Move(control ? Motion::kTextEnd : Motion::kRowEnd, shift);
      break;
    case 'A':
      if (control) SelectAll();
      break;
    case 'C':
      if (control) Copy();
      break;
    case VK_INSERT:
      ShowCaret(false);
      overwrite = !overwrite;
      ShowCaret(true);
      break;
    case VK_DELETE:
      if (!read_only) core_.DeleteForward();
      break;
    case VK_BACK:
      if (!read_only) core_.DeleteBackward();
      break;
    case VK_TAB:
      if (!read_only) core_.Indent();
      break;
    default:
      break;
  }
  return true;
}

bool EditWnd::OnChar(Wnd&, unsigned code, int) {
  if (read_only) return true;
  std::string text;
  if (code == '\r') {
    text = "\n";
  } else if (code < 0x20 || code >= 0x80) {
    return true;  // characters outside ASCII come through the input method
  } else {
    text = std::string(1, static_cast<char>(code));
  }
  if (overwrite) {
    core_.Overwrite(text);
  } else {
    core_.InsertText(text, "\n");
  }
  return true;
}

bool EditWnd::OnImeComposition(Wnd& wnd) {
  if (read_only) return false;
  if (HIMC context = ImmGetContext(wnd.Handle())) {
    LONG length = ImmGetCompositionStringA(context, GCS_RESULTSTR, nullptr, 0);
    if (length > 0) {
      std::vector<char> result(static_cast<size_t>(length));
      ImmGetCompositionStringA(context, GCS_RESULTSTR, result.data(), static_cast<DWORD>(length));
      core_.InsertText(std::string(result.data(), result.size()), "\n");
    }
    ImmReleaseContext(wnd.Handle(), context);
  }
  return false;  // the system's own processing follows; its WM_IME_CHAR is swallowed
}

bool EditWnd::Copy() {
  bool copied = false;
  if (!core_.HasSelection() || !OpenClipboard(Handle())) return false;
  std::string text = core_.SelectedText();
  if (EmptyClipboard()) {
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
      if (void* bytes = GlobalLock(memory)) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        copied = SetClipboardData(CF_TEXT, memory) != nullptr;
      }
      if (!copied) GlobalFree(memory);
    }
  }
  CloseClipboard();
  return copied;
}

}  // namespace vklib::window::edit
