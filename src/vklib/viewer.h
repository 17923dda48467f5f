#pragma once

#include <string>

// Starting outside programs that run on their own: viewers.
namespace vklib {

// Starts a command line in a directory (ours when it is empty), without pipes, and does not
// wait for its end. Windows waits at most `idle_milliseconds` for the new program to be ready
// for input. False when it could not be started.
bool LaunchProgram(const std::string& command_line, const std::string& directory,
                   int idle_milliseconds);

// Restores and maximises the first top-level window of a class (no such windows on POSIX).
void MaximizeWindowOfClass(const std::string& class_name);

}  // namespace vklib
