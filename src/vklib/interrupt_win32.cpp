#include <windows.h>

#include <atomic>

#include "vklib/interrupt.h"

namespace vklib {
namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI Note(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}

}  // namespace

void CatchInterrupt() {
  SetConsoleCtrlHandler(Note, TRUE);
}

bool Interrupted() {
  return interrupted;
}

}  // namespace vklib
