#pragma once

#include <string>

// POSIX only: whether the program a command line starts with can be found, as CreateProcessA
// would find it: a path (relative to the child's directory) or a name on the PATH. The shell
// reports a missing program only after it has started, so the POSIX build looks first, to fail
// a start the way Windows does. Both arguments are UTF-8.
namespace vklib::posix {

bool CommandProgramExists(const std::string& command_line, const std::string& directory);

}  // namespace vklib::posix
