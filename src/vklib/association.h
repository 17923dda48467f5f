#pragma once

#include <string>

#include "vklib/system_error.h"

namespace vklib {

// The full path of the program the shell opens files of an extension (".pdf") with
// (AssocQueryStringA); empty when there is none. The POSIX build knows no associations.
std::string AssociatedExecutable(const std::string& extension);

// Opens a file with the program the shell associates with its kind (ShellExecuteExA), started in
// a directory; false with the reason in `error` when it cannot (kNoAssociation where nothing is
// associated, always so on POSIX).
bool OpenWithAssociation(const std::string& file, const std::string& directory, SystemError& error);

}  // namespace vklib
