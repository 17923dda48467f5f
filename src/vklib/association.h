#pragma once

#include <string>

namespace vklib {

// The full path of the program the shell opens files of an extension (".pdf") with
// (AssocQueryStringA); empty when there is none. The POSIX build knows no associations.
std::string AssociatedExecutable(const std::string& extension);

}  // namespace vklib
