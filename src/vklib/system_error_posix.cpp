#include <cerrno>

#include "vklib/system_error.h"

namespace vklib {

SystemError SystemErrorOf(long code) {
  switch (code) {
    case 0:
      return {SystemError::kNone, code};
    case ENOENT:
    case ENAMETOOLONG:
    case ELOOP:
      return {SystemError::kNotFound, code};
    case EACCES:
    case EPERM:
      return {SystemError::kAccessDenied, code};
    case ENOEXEC:
      return {SystemError::kNotAProgram, code};
    case ENOTDIR:  // the process runner's word for a working directory that is not there
      return {SystemError::kBadDirectory, code};
    case ETXTBSY:
      return {SystemError::kInUse, code};
    case ENOMEM:
    case EAGAIN:
      return {SystemError::kNoMemory, code};
    default:
      return {SystemError::kOther, code};
  }
}

SystemError LastSystemError() {
  return SystemErrorOf(errno);
}

}  // namespace vklib
