#include "vklib/association.h"

namespace vklib {

std::string AssociatedExecutable(const std::string&) {
  return std::string();
}

bool OpenWithAssociation(const std::string&, const std::string&, SystemError& error) {
  error = {SystemError::kNoAssociation, 0};
  return false;
}

}  // namespace vklib
