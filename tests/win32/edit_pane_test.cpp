// The output pane in a real window: clicks, typing for a child, the clipboard, scrolling and the
// "[EOF]" mark.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_wnd.h"
#include "support/test_support.h"
#include "vklib/window/edit/edit_wnd.h"
#include "win32/main_window_fixture.h"

namespace {

using vklib::window::edit::Position;

// Whether the green of the marks shows in the cells of a row from a column on, five cells wide
// ("[EOF]" is five cells; the line-end arrow, of the same colour, one).
bool EofShownAt(HWND pane, int row, int column, int cell_width, int cell_height) {
  UpdateWindow(pane);
  HDC dc = GetDC(pane);
  bool found = false;
  for (int y = 2 + row * cell_height; y < 2 + (row + 1) * cell_height && !found; ++y) {
    for (int x = 8 + column * cell_width; x < 8 + (column + 5) * cell_width && !found; ++x) {
      found = GetPixel(dc, x, y) == RGB(128, 200, 128);
    }
  }
  ReleaseDC(pane, dc);
  return found;
}

// A top-level window that holds the pane, as the main window does.
class Host : public vklib::window::BaseWnd {
 public:
  Host() : BaseWnd("PRESSEL2_TEST_HOST", WS_OVERLAPPEDWINDOW, GetModuleHandleA(nullptr), false) {}
};

class Pane : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, host_.Create(nullptr, nullptr));
    SetWindowPos(host_.Handle(), nullptr, 0, 0, 640, 400, SWP_NOZORDER);
    ShowWindow(host_.Handle(), SW_SHOW);
    ASSERT_NE(nullptr, pane_.Create(host_.Handle(), LoadCursorA(nullptr, IDC_IBEAM)));
    RECT client{};
    GetClientRect(host_.Handle(), &client);
    MoveWindow(pane_.Handle(), 0, 0, client.right, client.bottom, TRUE);
    UpdateWindow(host_.Handle());
  }
  void TearDown() override { DestroyWindow(host_.Handle()); }

  std::string Text() const {
    std::string text = pane_.Core().Buffer().Text({0, 0}, pane_.Core().Buffer().End());
    return text;
  }
  void Click(int x, int y) {
    SendMessageA(pane_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(pane_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void Type(const std::string& keys) {
    for (char key : keys)
      SendMessageA(pane_.Handle(), WM_CHAR, static_cast<unsigned char>(key), 1);
  }
  // The area, in pixels, of what waits to be painted.
  long UpdateArea() {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(pane_.Handle(), region, FALSE);
    std::vector<char> data(GetRegionData(region, 0, nullptr));
    long area = 0;
    if (!data.empty() && GetRegionData(region, static_cast<DWORD>(data.size()),
                                       reinterpret_cast<RGNDATA*>(data.data()))) {
      auto* header = reinterpret_cast<RGNDATA*>(data.data());
      auto* rects = reinterpret_cast<RECT*>(header->Buffer);
      for (DWORD i = 0; i < header->rdh.nCount; ++i) {
        area += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
      }
    }
    DeleteObject(region);
    return area;
  }

  Host host_;
  vklib::Process process_;
  MainWnd::Edit pane_{GetModuleHandleA(nullptr), process_,
                      [](const std::string&) { return false; }};
};

TEST_F(Pane, AClickAtTheMarginsCornerPutsTheCaretAtTheStart) {
  pane_.InsertText("abc\ndef", "\n");
  Click(8, 2);
  EXPECT_EQ((Position{0, 0}), pane_.Core().Caret().caret);
  Click(3, 2 + pane_.CellHeight());  // left of the margin: column 0 of the row
  EXPECT_EQ((Position{1, 0}), pane_.Core().Caret().caret);
  Click(8 + 2 * pane_.CellWidth(), 2);
  EXPECT_EQ((Position{0, 2}), pane_.Core().Caret().caret);
}

TEST_F(Pane, TypingWithoutAChildChangesNothing) {
  pane_.InsertText("output", "\n");
  Type("abc\r\b");
  EXPECT_EQ("output", Text());
}

TEST_F(Pane, TypingForAChildGoesToTheEndAndEnterSendsTheLine) {
  vklib::ProcessParam param;
  param.CommandLine = test::Quoted(test::HelperPath("scripted-child")) + " lines:1";
  param.RedirectInput = param.RedirectOutput = true;
  ASSERT_TRUE(process_.Start(param));
  pane_.InsertText("line one\nline two", "\n");
  Click(8, 2);  // the caret elsewhere
  Type("\b");   // nothing pending: nothing changes
  EXPECT_EQ("line one\r\nline two", Text());
  Type("x\r");
  EXPECT_EQ("line one\r\nline twox\r\n", Text());
  std::string echoed;
  test::WaitUntil([&] {
    char buffer[64];
    echoed.append(buffer, process_.Read(buffer, sizeof buffer));
    return echoed.find('\n') != std::string::npos;
  });
  EXPECT_EQ("got:x\n", echoed);  // one LF, no CR
  process_.Close();
}

TEST_F(Pane, TakingBackTheEightyFirstTypedColumnLeavesOneRowAndOneEofMark) {
  vklib::ProcessParam param;
  param.CommandLine = test::Quoted(test::HelperPath("scripted-child")) + " forever";
  param.RedirectInput = true;
  ASSERT_TRUE(process_.Start(param));
  Type(std::string(81, 'a'));
  ASSERT_EQ(2, pane_.Core().Buffer().DisplayRowCount());
  Type("\b");
  UpdateWindow(pane_.Handle());
  EXPECT_EQ(1, pane_.Core().Buffer().DisplayRowCount());
  EXPECT_EQ(1, pane_.Facade()->Vertical().Read().nMax);
  EXPECT_FALSE(EofShownAt(pane_.Handle(), 1, 0, pane_.CellWidth(), pane_.CellHeight()));
  process_.Close();
}

TEST_F(Pane, AButtonUpReleasesTheCaptureAfterAKeyEndedTheDrag) {
  pane_.InsertText("abc\ndef", "\n");
  SendMessageA(pane_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 2));
  ASSERT_EQ(pane_.Handle(), GetCapture());
  SendMessageA(pane_.Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  SendMessageA(pane_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 2));
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(Pane, CopyWithoutASelectionLeavesTheClipboardAlone) {
  ASSERT_TRUE(OpenClipboard(pane_.Handle()));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 7);
  memcpy(GlobalLock(memory), "before", 7);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();

  pane_.InsertText("one\ntwo", "\n");
  EXPECT_FALSE(pane_.Copy());
  EXPECT_EQ("before", test::ClipboardText(pane_.Handle()));

  pane_.SelectAll();
  EXPECT_TRUE(pane_.Copy());
  EXPECT_EQ("one\r\ntwo", test::ClipboardText(pane_.Handle()));
  EXPECT_EQ("one\r\ntwo", pane_.Core().SelectedText());  // as "コピー" leaves it
}

TEST_F(Pane, ALineOfScrollingMovesPixelsAndAPageRepaintsEverything) {
  std::string lines;
  for (int i = 0; i < 200; ++i)
    lines += "line " + std::to_string(i) + "\n";
  pane_.InsertText(lines, "\n");
  SendMessageA(pane_.Handle(), WM_VSCROLL, SB_TOP, 0);
  UpdateWindow(pane_.Handle());
  RECT client{};
  GetClientRect(pane_.Handle(), &client);
  const long whole = client.right * client.bottom;
  ASSERT_EQ(0, UpdateArea());

  // One line: the pixels move, and only the row that came in (and the top margin) is painted.
  SendMessageA(pane_.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(1, pane_.Facade()->Vertical().Position());
  long after_line = UpdateArea();
  EXPECT_GT(after_line, 0);
  EXPECT_LE(after_line, client.right * (pane_.CellHeight() + 2 + 2));
  UpdateWindow(pane_.Handle());

  SendMessageA(pane_.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(whole, UpdateArea());
}

TEST_F(Pane, TheEofMarkFollowsTheLastLine) {
  EXPECT_TRUE(EofShownAt(pane_.Handle(), 0, 0, pane_.CellWidth(), pane_.CellHeight()));
  pane_.InsertText("abc\nde", "\n");
  EXPECT_TRUE(EofShownAt(pane_.Handle(), 1, 2, pane_.CellWidth(), pane_.CellHeight()));
  // The first line ends in its arrow at column 3; nothing green follows it.
  EXPECT_TRUE(EofShownAt(pane_.Handle(), 0, 3, pane_.CellWidth(), pane_.CellHeight()));
  EXPECT_FALSE(EofShownAt(pane_.Handle(), 0, 4, pane_.CellWidth(), pane_.CellHeight()));
}

TEST_F(Pane, ManyLinesOfOutputStayScrollable) {
  std::string chunk;
  for (int i = 0; i < 1000; ++i)
    chunk += "output line " + std::to_string(i) + "\n";
  for (int i = 0; i < 300; ++i) {
    pane_.MoveCaretToEnd();
    pane_.InsertText(chunk, "\n");
  }
  EXPECT_EQ(300001, pane_.Core().Buffer().LineCount());
  SendMessageA(pane_.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  UpdateWindow(pane_.Handle());
  EXPECT_GT(pane_.Facade()->Vertical().Position(), 299000);
  EXPECT_TRUE(EofShownAt(pane_.Handle(), 300000 - pane_.Facade()->Vertical().Position(), 0,
                         pane_.CellWidth(), pane_.CellHeight()));
}

}  // namespace
