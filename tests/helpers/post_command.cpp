// Posts a menu command to the first top-level window of a class, as a choice from the menu would:
//   post-command CLASS COMMAND_ID
// Scripts use it to drive the real program (the window demo asks for DVI->PDF with it).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: post-command CLASS COMMAND_ID\n");
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "post-command: no window of class %s\n", argv[1]);
    return 1;
  }
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), 0), 0);
  return 0;
}
