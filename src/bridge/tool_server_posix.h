#pragma once

// The bridge's work once the window came: runs the tools the window asks for, one at a time, with
// the POSIX process runner (so a tool is found, started and ended as pressel2-build does it), and
// streams each tool's output back as it comes, then its exit code. Ends, and ends the running
// tool's whole tree, when the window goes. Gives the bridge's exit status.
int ServeTools(int from_window, int to_window);
