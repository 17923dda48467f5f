// The output pane at the end of a 300 000-line output (Windows, run under Wine): the time to
// append the output chunk by chunk as a run does (the view catching up when the messages are
// handled), to scroll to its end, and to paint one screen there.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "build/echo_run.h"
#include "vklib/window/base_wnd.h"
#include "vklib/window/edit/edit_wnd.h"

namespace {

class Host : public vklib::window::BaseWnd {
 public:
  Host() : BaseWnd("PRESSEL2_BENCH_HOST", WS_OVERLAPPEDWINDOW, GetModuleHandleA(nullptr), false) {}
};

double Milliseconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

}  // namespace

int main() {
  Host host;
  host.Create(nullptr, nullptr);
  SetWindowPos(host.Handle(), nullptr, 0, 0, 800, 600, SWP_NOZORDER);
  ShowWindow(host.Handle(), SW_SHOW);
  vklib::window::edit::EditWnd pane(GetModuleHandleA(nullptr));
  pane.Create(host.Handle(), nullptr);
  MoveWindow(pane.Handle(), 0, 0, 780, 560, TRUE);

  std::string chunk;
  for (int i = 0; i < 100; ++i)
    chunk += "Overfull \\hbox (1.5pt too wide) in paragraph at lines 10--12 []\n";
  auto start = std::chrono::steady_clock::now();
  // A run reads the pipe in pieces and handles the window's messages between batches of them.
  size_t batch = 0;
  for (int i = 0; i < 3000; ++i) {
    pane.Core().Append(chunk);
    batch += chunk.size();
    if (batch < kEchoBatchBytes && i + 1 < 3000) continue;
    batch = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&message);
  }
  double append = Milliseconds(std::chrono::steady_clock::now() - start);

  start = std::chrono::steady_clock::now();
  SendMessageA(pane.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  UpdateWindow(pane.Handle());
  double scroll = Milliseconds(std::chrono::steady_clock::now() - start);

  const int paints = 200;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < paints; ++i) {
    InvalidateRect(pane.Handle(), nullptr, FALSE);
    UpdateWindow(pane.Handle());
  }
  double paint = Milliseconds(std::chrono::steady_clock::now() - start) / paints;

  std::printf(
      "pane with %d lines: append %.0f ms, scroll to the end %.2f ms, paint of one screen %.3f "
      "ms\n",
      pane.Core().Buffer().LineCount(), append, scroll, paint);
  DestroyWindow(host.Handle());
  return 0;
}
