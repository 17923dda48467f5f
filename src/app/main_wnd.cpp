#include "app/main_wnd.h"

#include <commctrl.h>
#include <shellapi.h>

#include "build/echo_run.h"
#include "resources/resource_ids.h"

namespace {

constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr int kPaneGap = 2;  // pixel rows between toolbar and pane

// The title bar shows the small picture, the task switcher the large one.
void SetIcon(HWND window, HINSTANCE instance, WPARAM which, int width_metric, int height_metric) {
  HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(IDI_PRESSEL2), IMAGE_ICON,
                           GetSystemMetrics(width_metric), GetSystemMetrics(height_metric),
                           LR_SHARED);
  if (icon != nullptr) SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

MainWnd::MainWnd(HINSTANCE instance)
    : BaseWnd("VELKARO_PRESSEL", kMainWindowStyle, instance, true),
      edit_(instance, process_,
            [this](const std::string& line) { return tex_.OpenLocation(line); }),
      tex_(*this) {
  edit_.read_only = true;
}

bool MainWnd::OnCreate(vklib::window::Wnd& wnd) {
  SetWindowTextA(wnd.Handle(), "Pressel2");
  SetIcon(wnd.Handle(), Instance(), ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
  SetIcon(wnd.Handle(), Instance(), ICON_BIG, SM_CXICON, SM_CYICON);
  if (!edit_.Create(wnd.Handle(), LoadCursorA(nullptr, IDC_IBEAM))) return false;
  if (!toolbar_.Create(wnd.Handle(), Instance(), {{STD_FILEOPEN, command::kOpen}}, 16, 15)) {
    return false;
  }
  toolbar_.AddButtons({command::kPreviewDVI, command::kPreviewPS, command::kPreviewPDF,
                       command::kTeXToDVI, command::kDVIToPS, command::kDVIToPDF,
                       command::kPSToPDF});
  toolbar_.InsertSeparator(1);
  toolbar_.InsertSeparator(5);
  toolbar_.SetTooltips({{command::kOpen, IDS_OPEN},
                        {command::kPreviewDVI, IDS_VIEW_DVI},
                        {command::kPreviewPS, IDS_VIEW_PS},
                        {command::kPreviewPDF, IDS_VIEW_PDF},
                        {command::kTeXToDVI, IDS_TEX_TO_DVI},
                        {command::kDVIToPS, IDS_DVI_TO_PS},
                        {command::kDVIToPDF, IDS_DVI_TO_PDF},
                        {command::kPSToPDF, IDS_PS_TO_PDF}});
  BuildMenu();
  DragAcceptFiles(wnd.Handle(), TRUE);
  return true;
}

bool MainWnd::OnDestroy(vklib::window::Wnd&) {
  // A build may be waiting for its child inside Execute: the child ends now, and nothing
  // starts after it.
  destroyed_ = true;
  if (!process_.IsEnded()) process_.Close();
  return true;
}

bool MainWnd::OnSize(vklib::window::Wnd& wnd, int, int, int) {
  if (toolbar_.Handle() == nullptr || edit_.Handle() == nullptr) return false;
  SendMessageA(toolbar_.Handle(), TB_AUTOSIZE, 0, 0);
  RECT client{}, bar{};
  GetClientRect(wnd.Handle(), &client);
  GetClientRect(toolbar_.Handle(), &bar);
  int top = bar.bottom + kPaneGap;
  MoveWindow(edit_.Handle(), 0, top, client.right, client.bottom - top, TRUE);
  return true;
}

bool MainWnd::OnSetFocus(vklib::window::Wnd&, vklib::window::Wnd&) {
  if (edit_.Handle() != nullptr) SetFocus(edit_.Handle());
  return true;
}

bool MainWnd::Execute(const std::string& command_line, const std::string& directory) {
  // After Esc nothing more of the step starts.
  if (destroyed_ || executing_ || edit_.RunStopped()) return false;
  executing_ = true;
  PaneSink sink(edit_.Core());
  bool quit = false;
  WPARAM quit_code = 0;
  EchoWait wait = [&](int milliseconds) {
    HANDLE handle = process_.WaitHandle();
    DWORD waiting = handle != nullptr ? 1 : 0;
    DWORD result = MsgWaitForMultipleObjectsEx(waiting, &handle, static_cast<DWORD>(milliseconds),
                                               QS_ALLEVENTS, MWMO_INPUTAVAILABLE);
    // Messages are handled whatever woke us: an ended child whose tree still fills the pipe
    // must not keep the window from its messages either.
    MSG message;
    while (!quit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      // The quit message belongs to the loop of WinMain: it is posted again at the end.
      if (message.message == WM_QUIT) {
        quit = true;
        quit_code = message.wParam;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return waiting == 1 && result == WAIT_OBJECT_0;
  };
  bool started = RunWithEcho(process_, command_line, directory, sink, wait);
  executing_ = false;
  if (quit) PostQuitMessage(static_cast<int>(quit_code));
  return started;
}

void MainWnd::ShowMessage(const std::string& text, const std::string& caption) {
  // A step the user stopped with Esc did not fail: the pane says it was stopped.
  if (edit_.RunStopped()) return;
  if (vklib::window::Wnd* wnd = Facade()) wnd->ShowMessageBox(text, caption);
}

void MainWnd::ReportLine(const std::string& line) {
  // Nor did it leave work undone that the end of the build should tell of.
  if (edit_.RunStopped()) return;
  PaneSink(edit_.Core()).AppendOwn(line + "\n", true);
}

void MainWnd::SetTitle(const std::string& title) {
  // A tool stopped with Esc did not fail either (OpenFile forgets the stop before its title).
  if (edit_.RunStopped()) return;
  if (Handle() != nullptr) SetWindowTextA(Handle(), title.c_str());
}
