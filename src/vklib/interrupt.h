#pragma once

namespace vklib {

// Ctrl+C (and on POSIX also Ctrl+\, a hang-up or a polite kill) no longer ends a console
// program at once: it is only noted, so that the program can end the child it runs, with the
// child's whole tree, before it exits. On POSIX the child runs in a process group of its own,
// which the terminal's Ctrl+C never reaches.
void CatchInterrupt();
// Whether an interruption came since CatchInterrupt.
bool Interrupted();

}  // namespace vklib
