#include <signal.h>

#include <initializer_list>

#include "vklib/interrupt.h"

namespace vklib {
namespace {

volatile sig_atomic_t interrupted = 0;

void Note(int) {
  interrupted = 1;
}

}  // namespace

void CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a wait in progress returns at once.
  for (int signal_number : {SIGINT, SIGQUIT, SIGTERM, SIGHUP})
    sigaction(signal_number, &action, nullptr);
}

bool Interrupted() {
  return interrupted != 0;
}

}  // namespace vklib
