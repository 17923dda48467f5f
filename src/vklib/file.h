#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// The file system as the rest of the program sees it: names are in the ANSI code page (Shift_JIS).
// The POSIX build converts them to and from UTF-8 here and nowhere else.
namespace vklib {

// Windows paths use "\\" (and accept "/"), compare without regard to case, and may start with
// "\\\\" (a network share); POSIX paths use "/" and compare as they are spelt.
// Programs carry ".exe" on Windows and nothing on POSIX; the PATH is a list separated by ";"
// or ":".
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr char kPathSeparators[] = "\\/";
inline constexpr bool kPathsIgnoreCase = true;
inline constexpr bool kDriveLetters = true;
inline constexpr size_t kPathRootMax = 2;
inline constexpr char kExecutableSuffix[] = ".exe";
inline constexpr char kPathListSeparator = ';';
#else
inline constexpr char kPathSeparator = '/';
inline constexpr char kPathSeparators[] = "/";
inline constexpr bool kPathsIgnoreCase = false;
inline constexpr bool kDriveLetters = false;
inline constexpr size_t kPathRootMax = 1;
inline constexpr char kExecutableSuffix[] = "";
inline constexpr char kPathListSeparator = ':';
#endif

inline constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFF;
inline constexpr uint32_t kFileAttributeDirectory = 0x10;
inline constexpr uint32_t kFileAttributeNormal = 0x80;
inline constexpr uint32_t kFileAttributeReparsePoint = 0x400;  // a link or junction

// GetFileAttributesA; kInvalidFileAttributes when the file does not exist or cannot be examined.
uint32_t FileAttributes(const std::string& path);
inline bool FileExists(const std::string& path) {
  return FileAttributes(path) != kInvalidFileAttributes;
}
inline bool IsDirectory(const std::string& path) {
  uint32_t attributes = FileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory) != 0;
}

// When a file was last written and how long it is: enough to tell that a save changed it.
// All zero when the file does not exist or cannot be examined.
struct FileStamp {
  int64_t write_time = 0;  // in the platform's units
  uint64_t size = 0;
  bool operator==(const FileStamp& other) const {
    return write_time == other.write_time && size == other.size;
  }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
FileStamp StampOf(const std::string& path);

// What tells a file from every other while it exists, whatever path names it (through links,
// "..", or letters in another case): the device and inode on POSIX, the volume serial number
// and file index on Windows.
struct FileIdentity {
  uint64_t volume = 0;
  uint64_t index = 0;
  bool operator<(const FileIdentity& other) const {
    return volume != other.volume ? volume < other.volume : index < other.index;
  }
};
// False when the file does not exist or cannot be examined.
bool IdentityOf(const std::string& path, FileIdentity& identity);

// fopen of a name in the ANSI code page. For reading ("r", "rb") only a regular file opens:
// sources and settings come from other people's archives, and a FIFO or a device among them
// must not block the program.
std::FILE* OpenFile(const std::string& path, const char* mode);
inline bool IsReadMode(const char* mode) {
  return mode[0] == 'r' && std::strchr(mode, '+') == nullptr;
}

// Closes a std::FILE when it goes out of scope.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The whole of a regular file as it stands; false, with nothing read, when it cannot be opened
// or is no regular file (as OpenFile for reading). As few system calls as the platform allows:
// the parent search reads thousands of files.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// The full path of the running executable (GetModuleFileNameA).
std::string ModuleFileName();

// A path made absolute against the current directory (GetFullPathNameA).
std::string FullPath(const std::string& path);

// A directory as a child's working directory: Windows takes a bare drive ("C:") for that
// drive's current directory, so it becomes the drive's root ("C:\"); anything else is kept.
std::string WorkingDirectory(const std::string& directory);

// The value of an environment variable, or "".
std::string EnvironmentVariable(const std::string& name);

// The elements of a list like the PATH, split at kPathListSeparator; empty ones are kept (on
// POSIX an empty element names the current directory).
std::vector<std::string> SplitPathList(const std::string& list);

// One directory entry of a FindFile search.
struct FindData {
  std::string name;
  uint32_t attributes = 0;
};

// One search over a directory, like FindFirstFileA/FindNextFileA: the pattern is a directory,
// the separator and a name pattern with "*" and "?" ("*.*" matches every name). Windows lists
// entries in the file system's order; the POSIX build lists them sorted by name (a stable order)
// and matches names case-sensitively, as its file systems compare them.
class FindFile {
 public:
  FindFile();
  ~FindFile();
  FindFile(const FindFile&) = delete;
  FindFile& operator=(const FindFile&) = delete;

  // Starts a search and keeps the first entry other than "." and ".."; false when there is none.
  bool First(const std::string& pattern);
  // Hands out the kept entry, then the following ones; false at the end of the listing.
  bool Next(FindData& entry);
  // Ends the search; the object is ready for a new First.
  void Close();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vklib
