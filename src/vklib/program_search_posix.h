#pragma once

#include <string>

// POSIX only: where the program of a command line is, found as CreateProcessA would find it: a
// name with a "/" is a path (relative to the child's directory), any other name is looked for
// on the PATH. The start fails when there is none, as it does on Windows. UTF-8 throughout.
namespace vklib::posix {

// The path to start, or "" when there is no such program (errno ENOENT), or only a file of that
// name that we may not run (EACCES).
std::string FindProgram(const std::string& program, const std::string& directory);

}  // namespace vklib::posix
