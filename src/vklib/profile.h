#pragma once

#include <string>
#include <vector>

// A Windows profile (INI) file, with the rules of the Windows profile functions: section and key
// names compare without regard to case, names and values are trimmed of blanks, one pair of
// matching quotes (" or ') that encloses a whole value is dropped on reading, a missing value
// reads as "" or 0, and new sections and keys are appended in the order of writing. Windows uses
// the real functions; the POSIX build has its own reader and writer, which keeps every line it
// does not change byte for byte.
namespace vklib {

// The longest value a read returns, as a 4095-byte buffer with its terminating NUL allows.
inline constexpr size_t kProfileValueMax = 4094;

// GetPrivateProfileStringA with default "".
std::string ReadProfileValue(const std::string& path, const std::string& section,
                             const std::string& key);
// GetPrivateProfileIntA: a missing or empty value reads as `missing`.
int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int missing = 0);
// WritePrivateProfileStringA; false when the file could not be written. Programs that write one
// file at once lose no value: each takes a lock on it (flock; a named mutex on Windows, where
// the profile functions open the file themselves) for its read and rewrite.
bool WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value);

struct ProfileValue {
  std::string section;
  std::string key;
  std::string value;
};

// The text WriteProfileValue writes when it is given these values one by one and there is no
// file yet; the values of a section stand together.
std::string ProfileText(const std::vector<ProfileValue>& values);

// Makes a profile file of these values, whole, unless a file of the name is there already: then
// that one is kept, as when another program made it a moment before. True when a profile file is
// there afterwards.
bool CreateProfile(const std::string& path, const std::vector<ProfileValue>& values);

}  // namespace vklib
