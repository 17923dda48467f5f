#pragma once

#include <string>

#include "vklib/system_error.h"

// Starting outside programs that run on their own: viewers.
namespace vklib {

// Starts a command line in a directory (ours when it is empty), without pipes, and does not
// wait for its end. Windows waits at most `idle_milliseconds` for the new program to be ready
// for input; under Wine, a program of the Linux system (bridge/wine_linux_child.h) starts there,
// its arguments' absolute Windows paths made Unix ones. False, with the reason in `error`, when
// it could not be started.
bool LaunchProgram(const std::string& command_line, const std::string& directory,
                   int idle_milliseconds, SystemError& error);

// The program a command line's first word names, as a start will find it. Windows looks for a
// bare name (no directory, no extension) with each extension of PATHEXT as its command processor
// does, so that "code" finds code.cmd, which CreateProcess alone would not; the name stays as it
// is when nothing is found, and on POSIX.
std::string LaunchablePath(const std::string& program);

// The path by which the program LaunchProgram starts reaches a file: under Wine, its Unix path
// for a program the Linux system has, which could not open the Windows one; else as it is, also
// for a program found nowhere.
std::string LaunchedFilePath(const std::string& program, const std::string& file);

// Restores and maximises the first top-level window of a class (no such windows on POSIX).
void MaximizeWindowOfClass(const std::string& class_name);

}  // namespace vklib
