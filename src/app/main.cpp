// Pressel2: the entry point. The settings file gets its defaults on the first run, then the main
// window opens the files named on the command line and runs until it is closed.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/arg.h"
#include "app/main_wnd.h"
#include "settings/settings.h"
#include "vklib/file.h"

namespace {

// A path from the command line: the quotes that kept its blanks together are not part of it
// (no Windows path holds a double quote).
std::string Unquoted(std::string argument) {
  std::string path;
  for (char c : argument) {
    if (c != '"') path += c;
  }
  return path;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  // A settings file that cannot be written (the program under Program Files, say) is reported
  // once the window shows, instead of every step failing later for want of its settings.
  bool settings_written = !IsFirstRun() || WriteFirstRunDefaults();

  auto window = std::make_unique<MainWnd>(instance);
  if (window->Create(nullptr, LoadCursorA(nullptr, IDC_IBEAM)) == nullptr) return 1;
  ShowWindow(window->Handle(), SW_SHOW);
  UpdateWindow(window->Handle());
  if (!settings_written) window->ShowMessage(UnwritableSettingsMessage(), "Pressel2");

  Arg arg;
  arg.text = CommandLineArguments(GetCommandLineA());
  if (!arg.Parse()) {
    window->ShowMessage(arg.error, "Pressel2");
  } else {
    for (const std::string& argument : arg.arguments) {
      // The window may have been closed during the build of an earlier file.
      if (window->Handle() == nullptr) break;
      // A relative name means the directory the program was started in, now and later (in the
      // recent-files list).
      window->OpenFile(vklib::FullPath(Unquoted(argument)), MainWnd::OpenForm::kCommandLine);
    }
  }

  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  window.reset();
  return static_cast<int>(message.wParam);
}
