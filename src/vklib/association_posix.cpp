#include "vklib/association.h"

namespace vklib {

std::string AssociatedExecutable(const std::string&) {
  return std::string();
}

}  // namespace vklib
