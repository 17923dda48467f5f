#include <windows.h>

#include "vklib/file.h"
#include "vklib/profile.h"
#include "vklib/unique_handle_win32.h"

namespace vklib {

std::string ReadProfileValue(const std::string& path, const std::string& section,
                             const std::string& key) {
  char buffer[kProfileValueMax + 1];
  DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                                          path.c_str());
  return std::string(buffer, length);
}

int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int missing) {
  return static_cast<int>(
      GetPrivateProfileIntA(section.c_str(), key.c_str(), missing, path.c_str()));
}

bool WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

bool CreateProfile(const std::string& path, const std::vector<ProfileValue>& values) {
  const std::string text = ProfileText(values);
  // Nobody reads the file before it is whole.
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    // Another program's settings file, made a moment before, is kept.
    const bool exists = GetLastError() == ERROR_FILE_EXISTS;
    return exists && (FileAttributes(path) & kFileAttributeDirectory) == 0;
  }
  DWORD written = 0;
  const bool whole =
      WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
      written == text.size() && FlushFileBuffers(file.get());
  file.reset();
  if (!whole) DeleteFileA(path.c_str());
  return whole;
}

}  // namespace vklib
