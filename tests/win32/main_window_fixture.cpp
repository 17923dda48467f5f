#include "win32/main_window_fixture.h"

#include <shlobj.h>

#include <cstring>

namespace test {

DuringRun::DuringRun(std::function<bool()> step, UINT every_milliseconds)
    : step_(std::move(step)), timer_(SetTimer(nullptr, 0, every_milliseconds, Tick)) {
  current_ = this;
}

DuringRun::~DuringRun() {
  KillTimer(nullptr, timer_);
  current_ = nullptr;
}

void CALLBACK DuringRun::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (current_ == nullptr || current_->done_) return;
  current_->done_ = current_->step_();
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (OpenClipboard(owner)) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      text = static_cast<const char*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
  return text;
}

void MainWindowTest::SetUp() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ASSERT_NE(nullptr, window_.Create(nullptr, LoadCursorA(nullptr, IDC_IBEAM)));
  ShowWindow(window_.Handle(), SW_SHOW);
}

void MainWindowTest::TearDown() {
  if (IsWindow(window_.Handle())) DestroyWindow(window_.Handle());
  // The main window posts the quit message of the program; it must not end the tests' loop.
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void MainWindowTest::Drop(const std::vector<std::string>& files) {
  std::string names;
  for (const std::string& file : files)
    names += file + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  SendMessageA(window_.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void MainWindowTest::Command(int id) {
  SendMessageA(window_.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::string MainWindowTest::Title() const {
  char title[2048] = "";
  GetWindowTextA(window_.Handle(), title, sizeof title);
  return title;
}

std::string MainWindowTest::Pane() {
  const auto& buffer = window_.Pane().Core().Buffer();
  return buffer.Text({0, 0}, buffer.End());
}

void MainWindowTest::DoubleClickLine(const std::string& start) {
  auto& pane = window_.Pane();
  const auto& buffer = pane.Core().Buffer();
  int32_t line = 0;
  while (line < buffer.LineCount() && buffer.Line(line)->compare(0, start.size(), start) != 0)
    ++line;
  ASSERT_LT(line, buffer.LineCount()) << start;
  const int row = buffer.RowOf({line, 0}) - pane.Facade()->Vertical().Position();
  ASSERT_GE(row, 0);
  const int y = row * pane.CellHeight() + pane.kTopMargin + pane.CellHeight() / 2;
  SendMessageA(pane.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, y));
  SendMessageA(pane.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, y));
}

}  // namespace test
