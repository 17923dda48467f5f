// The main window running a child that writes 300 000 lines of 40 bytes (Windows, run under
// Wine): the time until the pane holds them all, and the longest time the window took to answer
// a message sent from another thread meanwhile.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/main_wnd.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

// Our scripted child, built beside this program.
std::string ChildPath() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + "scripted-child.exe";
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  MainWnd window(GetModuleHandleA(nullptr));
  window.Create(nullptr, LoadCursorA(nullptr, IDC_IBEAM));
  SetWindowPos(window.Handle(), nullptr, 0, 0, 800, 600, SWP_NOZORDER);
  ShowWindow(window.Handle(), SW_SHOW);
  UpdateWindow(window.Handle());

  const int lines = 300000;
  std::atomic<bool> running{true};
  std::atomic<double> slowest{0};
  std::atomic<int> answers{0};
  HWND handle = window.Handle();
  std::thread asker([&] {
    while (running) {
      auto asked = std::chrono::steady_clock::now();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(handle, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      slowest = std::max(slowest.load(), Milliseconds(std::chrono::steady_clock::now() - asked));
      ++answers;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });

  char directory[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, directory);
  auto start = std::chrono::steady_clock::now();
  window.Execute("\"" + ChildPath() + "\" flood:" + std::to_string(lines * 40) + "/40", directory);
  double total = Milliseconds(std::chrono::steady_clock::now() - start);
  running = false;
  asker.join();

  std::printf(
      "main window, child writing %d lines of 40 bytes: all in the pane after %.0f ms (%d lines "
      "there); %d answers to another thread, the slowest after %.1f ms\n",
      lines, total, window.Pane().Core().Buffer().LineCount(), answers.load(), slowest.load());
  DestroyWindow(window.Handle());
  return 0;
}
