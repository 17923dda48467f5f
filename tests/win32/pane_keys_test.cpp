// The output pane of the main window as the user works it: Home and End, the wheel, Ctrl+A and
// Ctrl+C with and without a running child, reading earlier output during a run, and size
// changes of the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "resources/resource_ids.h"
#include "support/test_support.h"
#include "win32/main_window_fixture.h"
#include "win32/modal_driver.h"

namespace {

using vklib::window::edit::Position;

class PaneKeys : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    SetWindowPos(window_.Handle(), nullptr, 0, 0, 500, 400, SWP_NOZORDER);
    for (int i = 0; i < 300; ++i)
      long_text_ += "line " + std::to_string(i) + "\n";
    long_text_ += "last words";
  }

  HWND PaneWindow() { return window_.Pane().Handle(); }
  int Top() { return window_.Pane().Facade()->Vertical().Position(); }
  int Left() { return window_.Pane().Facade()->Horizontal().Position(); }
  int PageRows() { return static_cast<int>(window_.Pane().Facade()->Vertical().Page()); }
  bool LastRowShown() {
    const int last = window_.Pane().Core().Buffer().DisplayRowCount() - 1;
    return Top() <= last && last < Top() + PageRows();
  }

  // A key pressed with others held, through the message loop's translation as typed keys go.
  void Press(int key, std::initializer_list<int> held = {}) {
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    std::copy(saved, saved + 256, state);
    for (int down : held)
      state[down] |= 0x80;
    SetKeyboardState(state);
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC))
                  << 16;
    PostMessageA(PaneWindow(), WM_KEYDOWN, static_cast<WPARAM>(key), scan | 1);
    PostMessageA(PaneWindow(), WM_KEYUP, static_cast<WPARAM>(key), scan | 0xC0000001);
    MSG message;
    while (PeekMessageA(&message, PaneWindow(), 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    SetKeyboardState(saved);
  }
  void Wheel(int delta, WPARAM keys = 0, UINT message = WM_MOUSEWHEEL) {
    SendMessageA(PaneWindow(), message, MAKEWPARAM(keys, delta), 0);
  }

  // The pane's pixels as they are, and then as a paint of the whole pane makes them.
  std::vector<DWORD> Pixels() {
    UpdateWindow(PaneWindow());
    RECT client{};
    GetClientRect(PaneWindow(), &client);
    HDC dc = GetDC(PaneWindow());
    HDC copy = CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + client.right * client.bottom);
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(PaneWindow(), dc);
    return pixels;
  }
  bool ShowsWhatAFullPaintShows() {
    HideCaret(PaneWindow());  // a blinking caret is no part of the comparison
    std::vector<DWORD> shown = Pixels();
    InvalidateRect(PaneWindow(), nullptr, FALSE);
    bool same = shown == Pixels();
    ShowCaret(PaneWindow());
    return same;
  }

  std::string long_text_;
};

TEST_F(PaneKeys, HomeEndCtrlAAndCtrlCWithoutAChild) {
  window_.Pane().Core().Append(long_text_);
  Press(VK_END, {VK_CONTROL});
  EXPECT_EQ((Position{300, 10}), window_.Pane().Core().Caret().caret);
  EXPECT_TRUE(LastRowShown());
  Press(VK_HOME, {VK_SHIFT});
  Press('C', {VK_CONTROL});
  EXPECT_EQ("last words", test::ClipboardText(window_.Handle()));
  EXPECT_EQ("last words", window_.Pane().Core().SelectedText());  // the copy keeps it
  Press(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(0, Top());
  EXPECT_FALSE(window_.Pane().Core().HasSelection());
  Press('A', {VK_CONTROL});
  EXPECT_EQ(Pane(), window_.Pane().Core().SelectedText());
}

TEST_F(PaneKeys, TheWheelScrollsAsTheSystemSaysAndSidewaysWithShift) {
  window_.Pane().Core().Append(long_text_);
  Press(VK_HOME, {VK_CONTROL});
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(static_cast<int>(lines), Top());
  // A touchpad's small turns add up to a notch.
  for (int turn = 0; turn < 4; ++turn)
    Wheel(-WHEEL_DELTA / 4);
  EXPECT_EQ(2 * static_cast<int>(lines), Top());
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0));
  Wheel(2 * WHEEL_DELTA);  // back to the top, and two pages down
  Wheel(-2 * WHEEL_DELTA);
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
  EXPECT_EQ(2 * PageRows(), Top());
  // Rows are as wide as the wrap column, 80, and the pane is narrower: Shift goes sideways.
  Wheel(-WHEEL_DELTA, MK_SHIFT);
  EXPECT_GT(Left(), 0);
  // A tilt to the left goes back.
  Wheel(-WHEEL_DELTA, 0, WM_MOUSEHWHEEL);
  EXPECT_EQ(0, Left());
}

TEST_F(PaneKeys, WhileAChildRunsCtrlAAndCtrlCAreThePanesAndOtherKeysTheChilds) {
  test::TempDir dir;
  test::DuringRun keys([&] {
    if (Pane().find("ready\r\n") == std::string::npos) return false;
    Press('A');
    Press('A', {VK_CONTROL});
    Press('C', {VK_CONTROL});
    Press('B');
    Press(VK_RETURN);
    Press('D', {VK_CONTROL});  // the end of the child's input: the child ends
    return true;
  });
  ASSERT_TRUE(window_.Execute(
      test::Quoted(test::HelperPath("scripted-child")) + " out:ready\\n echo", dir.path()));
  EXPECT_TRUE(keys.Done());
  EXPECT_NE(std::string::npos, Pane().find("\r\ngot:ab\r\n")) << Pane();
  const std::string copied = test::ClipboardText(window_.Handle());
  EXPECT_EQ(0u, copied.find(std::string(43, '/')));
  EXPECT_EQ(copied.size() - 8, copied.find("ready\r\na"));
}

TEST_F(PaneKeys, TheOutputIsFollowedOnlyWhileTheEndOfTheTextIsInView) {
  test::TempDir dir;
  int stage = 0;
  int top_away = -1;
  Position caret_away;
  bool followed_again = false;
  test::DuringRun reader([&] {
    SendMessageA(PaneWindow(), WM_NULL, 0, 0);  // any message brings the view up to the output
    const std::string text = Pane();
    if (stage == 0 && text.find("\r\nready\r\n") != std::string::npos) {
      Press(VK_HOME, {VK_CONTROL});  // away from the end while the child still writes
      stage = 1;
    } else if (stage == 1 && text.find("\r\nlater\r\n") != std::string::npos) {
      top_away = Top();
      caret_away = window_.Pane().Core().Caret().caret;
      Press(VK_END, {VK_CONTROL});  // back at the end: following again
      stage = 2;
    } else if (stage == 2 && text.find("\r\nlast\r\n") != std::string::npos) {
      followed_again = LastRowShown();
      return true;
    }
    return false;
  });
  ASSERT_TRUE(window_.Execute(test::Quoted(test::HelperPath("scripted-child")) +
                                  " flood:3000/30 out:ready\\n sleep:500 out:later\\n sleep:500"
                                  " out:more\\n out:last\\n sleep:200",
                              dir.path()));
  EXPECT_TRUE(reader.Done());
  EXPECT_EQ(0, top_away);
  EXPECT_EQ((Position{0, 0}), caret_away);
  EXPECT_TRUE(followed_again);
}

TEST_F(PaneKeys, ACommandRunAfterReadingEarlierOutputFollowsItsOwn) {
  window_.Pane().Core().Append(long_text_);
  Press(VK_HOME, {VK_CONTROL});
  test::ModalDriver driver({[](HWND prompt) {
    test::Type(prompt, 1071, test::Quoted(test::HelperPath("scripted-child")) + " out:new\\n");
    test::Click(prompt, IDOK);
  }});
  Command(command::kRunCommand);
  SendMessageA(PaneWindow(), WM_NULL, 0, 0);  // the view catches up with the last output
  EXPECT_TRUE(LastRowShown());
}

TEST_F(PaneKeys, ASizeChangeKeepsTheFirstVisibleLineAndPaintsWhatItShows) {
  window_.Pane().Core().Append(long_text_);
  for (int notches : {0, 30, -1}) {  // at the top, in the middle, at the end
    ShowWindow(window_.Handle(), SW_RESTORE);
    Press(notches < 0 ? VK_END : VK_HOME, {VK_CONTROL});
    Wheel(-std::max(notches, 0) * WHEEL_DELTA);
    const int top = Top();
    for (int show : {SW_MAXIMIZE, SW_RESTORE}) {
      UpdateWindow(PaneWindow());  // what shows before the change is painted
      ShowWindow(window_.Handle(), show);
      SCOPED_TRACE(std::string(notches < 0   ? "end"
                               : notches > 0 ? "middle"
                                             : "top") +
                   (show == SW_MAXIMIZE ? ", maximized" : ", restored"));
      EXPECT_TRUE(ShowsWhatAFullPaintShows());
      EXPECT_TRUE(notches < 0 ? LastRowShown() : Top() == top);
    }
  }
}

}  // namespace
