// Messages to real windows of ours, and what reaches the handlers.
#include <windows.h>

#include <gtest/gtest.h>

#include <imm.h>

#include "vklib/window/base_wnd.h"
#include "vklib/window/popup_menu.h"

namespace {

using vklib::window::BaseWnd;
using vklib::window::MouseEvent;
using vklib::window::Wnd;

// A window that writes down what its handlers receive.
class RecordingWnd : public BaseWnd {
 public:
  explicit RecordingWnd(const char* class_name = "PRESSEL2_TEST_WND")
      : BaseWnd(class_name, WS_OVERLAPPEDWINDOW | WS_VSCROLL, GetModuleHandleA(nullptr), false) {}

  std::vector<int> wheel_notches;
  std::vector<int> scroll_deltas;
  int ime_results = 0;
  bool destroy_answer = true;
  bool nc_destroy_seen = false;
  bool property_at_nc_destroy = false;
  bool facade_at_nc_destroy = false;

 protected:
  bool OnMouseWheel(Wnd&, const MouseEvent&, int notches, int) override {
    wheel_notches.push_back(notches);
    return true;
  }
  bool OnVScroll(Wnd&, int delta) override {
    scroll_deltas.push_back(delta);
    return true;
  }
  bool OnImeComposition(Wnd&) override {
    ++ime_results;
    return true;
  }
  bool OnDestroy(Wnd&) override { return destroy_answer; }
  bool OnMessage(Wnd& wnd, UINT message, WPARAM, LPARAM, LRESULT&) override {
    if (message == WM_NCDESTROY) {
      nc_destroy_seen = true;
      property_at_nc_destroy = GetPropA(wnd.Handle(), vklib::window::kWindowProperty) != nullptr;
      facade_at_nc_destroy = Facade() != nullptr;
    }
    return false;
  }
};

bool ClassRegistered(const char* name) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  return GetClassInfoExA(GetModuleHandleA(nullptr), name, &info) != FALSE;
}

TEST(WindowRouting, WheelStepsBecomeWholeNotches) {
  RecordingWnd window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  for (short delta : {120, -120, 60, -60, 240}) {
    SendMessageA(window.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
  }
  EXPECT_EQ((std::vector<int>{1, -1, 0, 0, 2}), window.wheel_notches);
  DestroyWindow(window.Handle());
}

TEST(WindowRouting, ScrollRequestsBecomeDeltas) {
  RecordingWnd window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  Wnd& wnd = *window.Facade();
  wnd.Vertical().SetRangeAndPage(0, 100, 10);
  wnd.Vertical().SetPosition(30);
  for (int request : {SB_LINEDOWN, SB_LINEUP, SB_PAGEDOWN, SB_PAGEUP, SB_THUMBPOSITION,
                      SB_ENDSCROLL, SB_TOP, SB_BOTTOM}) {
    SendMessageA(window.Handle(), WM_VSCROLL, MAKEWPARAM(request, 77), 0);
  }
  EXPECT_EQ((std::vector<int>{1, -1, 10, -10, 0, 0, -30, 70}), window.scroll_deltas);
  DestroyWindow(window.Handle());
}

TEST(WindowRouting, OnlyTheThumbsTrackPositionMovesByTheThumb) {
  SCROLLINFO info{};
  info.nMin = 0;
  info.nMax = 100;
  info.nPage = 10;
  info.nPos = 30;
  info.nTrackPos = 55;
  EXPECT_EQ(25, vklib::window::ScrollDelta(SB_THUMBTRACK, info));
  EXPECT_EQ(0, vklib::window::ScrollDelta(SB_THUMBPOSITION, info));
}

TEST(WindowRouting, OnlyAResultStringOfTheInputMethodReachesItsHandler) {
  RecordingWnd window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  SendMessageA(window.Handle(), WM_IME_COMPOSITION, 0, GCS_COMPSTR);
  EXPECT_EQ(0, window.ime_results);
  SendMessageA(window.Handle(), WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
  EXPECT_EQ(1, window.ime_results);
  EXPECT_EQ(0, SendMessageA(window.Handle(), WM_IME_CHAR, 0x82A0, 0));
  DestroyWindow(window.Handle());
}

TEST(WindowRouting, AnsweringNoToDestroyLeavesPropertyAndFacade) {
  RecordingWnd window;
  window.destroy_answer = false;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  DestroyWindow(window.Handle());
  EXPECT_TRUE(window.nc_destroy_seen);
  EXPECT_TRUE(window.property_at_nc_destroy);
  EXPECT_TRUE(window.facade_at_nc_destroy);
  EXPECT_NE(nullptr, window.Facade());
}

TEST(WindowRouting, AnsweringYesToDestroyUnbindsTheObject) {
  RecordingWnd window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  DestroyWindow(window.Handle());
  EXPECT_FALSE(window.nc_destroy_seen);  // the object is no longer found
  EXPECT_EQ(nullptr, window.Facade());
  EXPECT_NE(nullptr, window.Create(nullptr, nullptr));  // and may be created again
  DestroyWindow(window.Handle());
}

TEST(WindowRouting, ASecondCreateReturnsNull) {
  RecordingWnd window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  HWND first = window.Handle();
  EXPECT_EQ(nullptr, window.Create(nullptr, nullptr));
  EXPECT_EQ(first, window.Handle());
  DestroyWindow(first);
}

TEST(WindowRouting, TheClassGoesWithItsLastObject) {
  const char kClass[] = "PRESSEL2_TEST_SHARED";
  auto first = std::make_unique<RecordingWnd>(kClass);
  auto second = std::make_unique<RecordingWnd>(kClass);
  ASSERT_NE(nullptr, first->Create(nullptr, nullptr));
  ASSERT_NE(nullptr, second->Create(nullptr, nullptr));
  DestroyWindow(first->Handle());
  first.reset();
  EXPECT_TRUE(ClassRegistered(kClass));  // a window of the class still exists
  DestroyWindow(second->Handle());
  second.reset();
  EXPECT_FALSE(ClassRegistered(kClass));
}

// A child edit control whose "x" keys are swallowed by its handler.
class SwallowX : public vklib::window::ChildControl {
 public:
  bool OnChar(HWND, unsigned code, int) override { return code == 'x'; }
};

class WindowWithEdit : public RecordingWnd {
 public:
  WindowWithEdit() { AddChildControl(100, swallow_); }

 protected:
  bool OnCreate(Wnd& wnd) override {
    CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, wnd.Handle(),
                    reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
    return true;
  }

 private:
  SwallowX swallow_;
};

TEST(WindowRouting, ASubclassedChildControlAsksItsHandlerFirst) {
  WindowWithEdit window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  HWND edit = GetDlgItem(window.Handle(), 100);
  for (char key : std::string("axbx"))
    SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
  char text[16] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ("ab", text);
  DestroyWindow(window.Handle());
  // The control has its own procedure back: nothing of ours is called any more.
  EXPECT_EQ(nullptr, GetPropA(edit, vklib::window::kWindowProperty));
}

TEST(WindowRouting, ADismissedPopupMenuYieldsZero) {
  RecordingWnd window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  ShowWindow(window.Handle(), SW_SHOW);
  SetForegroundWindow(window.Handle());
  vklib::window::MenuItems items;
  items.push_back({"全て選択", 1214, nullptr});
  items.push_back({"コピー", 1215, nullptr});
  // The menu's own loop runs the timer, which dismisses it.
  SetTimer(window.Handle(), 1, 200, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  EXPECT_EQ(0, vklib::window::PopupMenu(window.Handle(), items, 10, 10, 1214));
  KillTimer(window.Handle(), 1);
  DestroyWindow(window.Handle());
}

TEST(WindowRouting, MenuDescriptionsRefuseRepeatedCommands) {
  RecordingWnd window;
  ASSERT_NE(nullptr, window.Create(nullptr, nullptr));
  Wnd& wnd = *window.Facade();
  EXPECT_TRUE(wnd.AddMenuItem("File", 10));
  EXPECT_TRUE(wnd.AddMenuItem(10, "Open", 11));
  EXPECT_FALSE(wnd.AddMenuItem(10, "Open again", 11));
  EXPECT_FALSE(wnd.AddMenuItem(99, "Orphan", 12));
  EXPECT_TRUE(wnd.AddMenuItem(10, "", 0));
  EXPECT_TRUE(wnd.AddMenuItem(10, "", 0));
  wnd.SetDefaultCommand(11);
  wnd.ApplyMenuBar();
  HMENU file = GetSubMenu(GetMenu(window.Handle()), 0);
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(3, GetMenuItemCount(file));
  EXPECT_EQ(11u, GetMenuDefaultItem(file, FALSE, 0));
  DestroyWindow(window.Handle());
}

}  // namespace
