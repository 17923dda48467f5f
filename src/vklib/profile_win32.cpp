#include <windows.h>

#include "vklib/profile.h"

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

}  // namespace vklib
