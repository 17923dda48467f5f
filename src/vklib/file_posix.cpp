#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vklib/codepage.h"
#include "vklib/file.h"

namespace vklib {
namespace {

uint32_t AttributesOfUtf8(const std::string& utf8_path) {
  struct stat info {};
  if (stat(utf8_path.c_str(), &info) != 0) return kInvalidFileAttributes;
  uint32_t attributes = S_ISDIR(info.st_mode) ? kFileAttributeDirectory : kFileAttributeNormal;
  struct stat link {};
  if (lstat(utf8_path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    attributes |= kFileAttributeReparsePoint;
  }
  return attributes;
}

// Windows wildcards: "*" stands for any run of characters, "?" for one; "*.*" for every name.
bool MatchesPattern(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      if (pattern[p] == '?') n += CharLength(name, n) - 1;
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

}  // namespace

uint32_t FileAttributes(const std::string& path) {
  if (path.empty()) return kInvalidFileAttributes;
  return AttributesOfUtf8(AnsiToUtf8(path));
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  const std::string utf8_path = AnsiToUtf8(path);
  if (!IsReadMode(mode)) return std::fopen(utf8_path.c_str(), mode);
  // Opened without waiting and looked at before anything is read: a FIFO or a device would
  // block the reader for good. A regular file reads the same with O_NONBLOCK as without it.
  int descriptor = open(utf8_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat info {};
  std::FILE* file = nullptr;
  if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) file = fdopen(descriptor, mode);
  if (file == nullptr) close(descriptor);
  return file;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  int descriptor = open(AnsiToUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return false;
  struct stat info {};
  bool read_whole = fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
  // A regular file pays no heed to O_NONBLOCK, and a read of it comes back short only at its
  // end: asking one byte more than its size reads a file that keeps its size in one call.
  size_t filled = 0;
  if (read_whole) bytes.resize(static_cast<size_t>(info.st_size) + 1);
  while (read_whole) {
    ssize_t count = read(descriptor, bytes.data() + filled, bytes.size() - filled);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      read_whole = count == 0;
      break;
    }
    filled += static_cast<size_t>(count);
    if (filled < bytes.size()) break;
    bytes.resize(bytes.size() * 2);  // it grew since
  }
  bytes.resize(read_whole ? filled : 0);
  close(descriptor);
  return read_whole;
}

FileStamp StampOf(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(AnsiToUtf8(path).c_str(), &info) != 0) return FileStamp();
  return {static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
          static_cast<uint64_t>(info.st_size)};
}

bool IdentityOf(const std::string& path, FileIdentity& identity) {
  struct stat info {};
  if (path.empty() || stat(AnsiToUtf8(path).c_str(), &info) != 0) return false;
  identity = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
  return true;
}

std::string ModuleFileName() {
  std::string buffer(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", buffer.data(), 4095);
  buffer.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return Utf8ToAnsi(buffer);
}

std::string FullPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  std::string directory(4096, '\0');
  if (getcwd(directory.data(), directory.size()) == nullptr) return path;
  directory.resize(std::strlen(directory.c_str()));
  std::string cwd = Utf8ToAnsi(directory);
  return path.empty() ? cwd : cwd + (cwd == "/" ? "" : "/") + path;
}

std::string WorkingDirectory(const std::string& directory) {
  return directory;
}

std::string EnvironmentVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value != nullptr ? Utf8ToAnsi(value) : std::string();
}

struct FindFile::State {
  std::vector<FindData> entries;
  size_t next = 0;
};

FindFile::FindFile() : state_(std::make_unique<State>()) {}

FindFile::~FindFile() = default;

bool FindFile::First(const std::string& pattern) {
  Close();
  size_t slash = pattern.rfind(kPathSeparator);
  std::string directory = slash == std::string::npos ? "." : pattern.substr(0, slash);
  if (directory.empty()) directory = "/";
  std::string name_pattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  std::string utf8_directory = AnsiToUtf8(directory);
  DIR* dir = opendir(utf8_directory.c_str());
  if (dir == nullptr) return false;
  while (const dirent* item = readdir(dir)) {
    const std::string_view utf8_name = item->d_name;
    if (utf8_name == "." || utf8_name == "..") continue;
    // An ASCII name is its own Shift_JIS; any other must spell the same both ways, or it could
    // not be opened again by the name we hand out.
    const bool ascii = std::all_of(utf8_name.begin(), utf8_name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string name = ascii ? std::string(utf8_name) : Utf8ToAnsi(utf8_name);
    if (!ascii && AnsiToUtf8(name) != utf8_name) continue;
    if (!MatchesPattern(name_pattern, name)) continue;
    // The listing tells a plain file or directory itself; a link or an unknown kind is asked.
    uint32_t attributes = item->d_type == DT_REG ? kFileAttributeNormal
                          : item->d_type == DT_DIR
                              ? kFileAttributeDirectory
                              : AttributesOfUtf8(utf8_directory + "/" + item->d_name);
    state_->entries.push_back(
        {name, attributes == kInvalidFileAttributes ? kFileAttributeNormal : attributes});
  }
  closedir(dir);
  std::sort(state_->entries.begin(), state_->entries.end(),
            [](const FindData& a, const FindData& b) { return a.name < b.name; });
  return !state_->entries.empty();
}

bool FindFile::Next(FindData& entry) {
  if (state_->next >= state_->entries.size()) return false;
  entry = state_->entries[state_->next++];
  return true;
}

void FindFile::Close() {
  state_->entries.clear();
  state_->next = 0;
}

}  // namespace vklib
