// Copies a dialog of the program, as it has painted itself, into a bitmap file, for looking at
// its layout:
//   dialog-snapshot NAME OUT.bmp
// NAME: about, prompt, tex2dvi, bibtex, makeindex, dvi2ps, dvi2pdf, ps2pdf, dviout, preview, tex
// The screen copy of an owned popup is not to be had under Xvfb (Wine leaves it black there),
// so the picture is taken inside the process.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_wnd.h"
#include "app/version_dlg.h"
#include "dialogs/one_text_dlg.h"
#include "dialogs/paper_sets.h"
#include "dialogs/program_choice_set.h"
#include "dialogs/tex2dvi_set.h"
#include "dialogs/viewer_sets.h"
#include "resources/resource_ids.h"

namespace {

std::string output_path;
HHOOK hook = nullptr;

bool SaveBitmap(HBITMAP bitmap, HDC dc, int width, int height, const std::string& path) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const int row = (width * 3 + 3) / 4 * 4;
  std::string pixels(static_cast<size_t>(row * height), '\0');
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  std::fclose(out);
  return true;
}

void CALLBACK Snapshot(HWND dialog, UINT, UINT_PTR timer, DWORD) {
  KillTimer(dialog, timer);
  RECT frame{};
  GetWindowRect(dialog, &frame);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  HDC window_dc = GetWindowDC(dialog);
  BitBlt(memory, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  ReleaseDC(dialog, window_dc);
  SelectObject(memory, previous);
  SaveBitmap(bitmap, memory, width, height, output_path);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  PostMessageA(dialog, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK WhenShown(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_ACTIVATE) SetTimer(reinterpret_cast<HWND>(w), 1, 500, Snapshot);
  return CallNextHookEx(hook, code, w, l);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: dialog-snapshot NAME OUT.bmp\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  output_path = argv[2];
  HINSTANCE instance = GetModuleHandleA(nullptr);
  hook = SetWindowsHookExA(WH_CBT, WhenShown, nullptr, GetCurrentThreadId());
  const std::string name = argv[1];
  if (name == "about") {
    MainWnd::Version about(instance);
    about.DoModal(nullptr, IDD_ABOUT);
  } else if (name == "prompt") {
    OneTextDlg prompt(instance);
    std::string answer;
    prompt.Run(nullptr, "コマンド実行", "実行するコマンドを入力してください．", answer);
  } else if (name == "tex2dvi") {
    TeX2DVISet(instance).Show(nullptr);
  } else if (name == "bibtex") {
    BibTeXSet(instance).Show(nullptr);
  } else if (name == "makeindex") {
    MakeIndexSet(instance).Show(nullptr);
  } else if (name == "dvi2ps") {
    DVI2PSSet(instance).Show(nullptr);
  } else if (name == "dvi2pdf") {
    DVI2PDFSet(instance).Show(nullptr);
  } else if (name == "ps2pdf") {
    PS2PDFSet(instance).Show(nullptr);
  } else if (name == "dviout") {
    DVIOUTSet(instance).Show(nullptr);
  } else if (name == "preview") {
    PreviewSet(instance).Show(nullptr);
  } else if (name == "tex") {
    TeXSet(instance).Show(nullptr);
  } else {
    std::fprintf(stderr, "dialog-snapshot: no dialog %s\n", argv[1]);
    return 2;
  }
  UnhookWindowsHookEx(hook);
  return 0;
}
