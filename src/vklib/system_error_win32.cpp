#include <windows.h>

#include "vklib/system_error.h"

namespace vklib {

SystemError SystemErrorOf(long code) {
  switch (code) {
    case ERROR_SUCCESS:
      return {SystemError::kNone, code};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_NAME:
      return {SystemError::kNotFound, code};
    case ERROR_ACCESS_DENIED:
      return {SystemError::kAccessDenied, code};
    case ERROR_BAD_FORMAT:
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
      return {SystemError::kNotAProgram, code};
    case ERROR_DIRECTORY:
      return {SystemError::kBadDirectory, code};
    case ERROR_SHARING_VIOLATION:
      return {SystemError::kInUse, code};
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_NO_SYSTEM_RESOURCES:
      return {SystemError::kNoMemory, code};
    case ERROR_NO_ASSOCIATION:
      return {SystemError::kNoAssociation, code};
    default:
      return {SystemError::kOther, code};
  }
}

SystemError LastSystemError() {
  return SystemErrorOf(static_cast<long>(GetLastError()));
}

}  // namespace vklib
