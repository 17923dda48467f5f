#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
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

bool OpenWithAssociation(const std::string& file, const std::string& directory,
                         SystemError& error) {
  // Some shell extensions that open files need COM on the calling thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpFile = file.c_str();
  info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
  info.nShow = SW_SHOWNORMAL;
  const bool opened = ShellExecuteExA(&info) != FALSE;
  // The shell's own code tells a missing association; the last error need not (Wine leaves that
  // of the start it tried first).
  if (!opened) {
    error = reinterpret_cast<INT_PTR>(info.hInstApp) == SE_ERR_NOASSOC
                ? SystemError{SystemError::kNoAssociation, SE_ERR_NOASSOC}
                : LastSystemError();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return opened;
}

}  // namespace vklib
