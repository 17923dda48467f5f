#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/profile.h"
#include "vklib/unique_handle_win32.h"

namespace vklib {
namespace {

constexpr DWORD kLongestLockWait = 5000;

// Programs that write one profile file take turns by a mutex named after the file: the profile
// functions open the file themselves, without sharing it, so a lock on the file would make them
// fail. A holder that does not let go within a few seconds is not waited for.
class ProfileLock {
 public:
  explicit ProfileLock(const std::string& path)
      : mutex_(CreateMutexA(nullptr, FALSE, Name(path).c_str())) {
    if (!mutex_) return;
    const DWORD result = WaitForSingleObject(mutex_.get(), kLongestLockWait);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  }
  ~ProfileLock() {
    if (held_) ReleaseMutex(mutex_.get());
  }
  ProfileLock(const ProfileLock&) = delete;
  ProfileLock& operator=(const ProfileLock&) = delete;

 private:
  // The full path without regard to case, hashed: a mutex name holds no "\" and is short.
  static std::string Name(const std::string& path) {
    std::string key = FullPath(path);
    LowerCaseAnsi(key);
    uint64_t hash = 14695981039346656037u;  // FNV-1a
    for (unsigned char c : key)
      hash = (hash ^ c) * 1099511628211u;
    char name[64];
    std::snprintf(name, sizeof name, "Local\\Pressel2.Profile.%016llx",
                  static_cast<unsigned long long>(hash));
    return name;
  }

  UniqueHandle mutex_;
  bool held_ = false;
};

}  // namespace

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
  ProfileLock lock(path);
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

bool CreateProfile(const std::string& path, const std::vector<ProfileValue>& values) {
  ProfileLock lock(path);
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
