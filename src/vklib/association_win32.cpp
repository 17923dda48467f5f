#include <windows.h>

#include <shlwapi.h>

#include "vklib/association.h"

namespace vklib {

std::string AssociatedExecutable(const std::string& extension) {
  char buffer[MAX_PATH + 1] = "";
  DWORD size = MAX_PATH;
  HRESULT result = AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, extension.c_str(),
                                     "open", buffer, &size);
  if (FAILED(result) || size == 0) return std::string();
  return buffer;
}

}  // namespace vklib
