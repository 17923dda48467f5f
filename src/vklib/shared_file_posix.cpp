#include "vklib/shared_file_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

namespace vklib::posix {
namespace {

constexpr int kMostLinks = 40;  // as many as the kernel follows before ELOOP
constexpr auto kLongestLockWait = std::chrono::seconds(5);

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool WriteAll(int descriptor, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A new file beside `path` with the bytes and the mode, on the disk; its name, or "" when it
// could not be made whole. `refused` tells whether the directory would not take a new file.
std::string WriteBeside(const std::string& path, const std::string& bytes, mode_t mode,
                        bool& refused) {
  std::string temporary = path + ".XXXXXX";
  int descriptor = mkstemp(temporary.data());
  refused = descriptor < 0 && (errno == EACCES || errno == EPERM);
  if (descriptor < 0) return std::string();
  bool ok = fchmod(descriptor, mode) == 0 && WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
  ok = close(descriptor) == 0 && ok;
  if (ok) return temporary;
  unlink(temporary.c_str());
  return std::string();
}

bool WriteInPlace(const std::string& path, const std::string& bytes) {
  int descriptor = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (descriptor < 0) return false;
  bool ok = WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
  return close(descriptor) == 0 && ok;
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string LinkTarget(const std::string& path) {
  std::string target = path;
  for (int links = 0; links < kMostLinks; ++links) {
    char buffer[PATH_MAX];
    ssize_t length = readlink(target.c_str(), buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) == sizeof buffer) break;  // no link
    std::string next(buffer, static_cast<size_t>(length));
    size_t slash = target.rfind('/');
    if (next.front() != '/' && slash != std::string::npos)
      next = target.substr(0, slash + 1) + next;
    target = next;
  }
  return target;
}

FileLock::~FileLock() {
  if (descriptor_ >= 0) close(descriptor_);
}

FileLock::Result FileLock::Lock(const std::string& path) {
  const auto give_up = std::chrono::steady_clock::now() + kLongestLockWait;
  while (true) {
    // Not waiting on the open: a FIFO of the name would block it for good.
    descriptor_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor_ < 0) return errno == ENOENT ? kNoFile : kUnusable;
    struct stat locked {};
    if (fstat(descriptor_, &locked) != 0 || !S_ISREG(locked.st_mode)) return kUnusable;
    while (flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
      // A file system without locks, or a holder that does not let go: on without the lock.
      if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > give_up)
        return kOpen;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    struct stat named {};
    if (stat(path.c_str(), &named) == 0 && SameFile(locked, named)) return kOpen;
    // The writer before us replaced the file: the lock must be on the new one.
    close(descriptor_);
    descriptor_ = -1;
  }
}

bool ReadFromStart(int descriptor, std::string& content) {
  char buffer[4096];
  for (off_t offset = 0;;) {
    ssize_t count = pread(descriptor, buffer, sizeof buffer, offset);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) return true;
    content.append(buffer, static_cast<size_t>(count));
    offset += count;
  }
}

bool ReplaceFile(const std::string& path, const std::string& bytes) {
  struct stat old {};
  const mode_t mode = stat(path.c_str(), &old) == 0 ? old.st_mode & 07777 : NewFileMode();
  bool refused = false;
  const std::string temporary = WriteBeside(path, bytes, mode, refused);
  if (temporary.empty()) return refused && WriteInPlace(path, bytes);
  if (rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

NewFile CreateNewFile(const std::string& path, const std::string& bytes) {
  bool refused = false;
  const std::string temporary = WriteBeside(path, bytes, NewFileMode(), refused);
  if (temporary.empty()) return NewFile::kFailed;
  // A link takes the name only where there is none, and shows the file whole at once.
  const int linked = link(temporary.c_str(), path.c_str());
  const int error = errno;
  unlink(temporary.c_str());
  if (linked == 0) return NewFile::kCreated;
  if (error == EEXIST) return IsRegularFile(path) ? NewFile::kExisted : NewFile::kFailed;
  // A file system without links (FAT): the name taken exclusively, then filled.
  int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode());
  if (descriptor < 0) {
    return errno == EEXIST && IsRegularFile(path) ? NewFile::kExisted : NewFile::kFailed;
  }
  bool ok = WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
  ok = close(descriptor) == 0 && ok;
  if (!ok) unlink(path.c_str());
  return ok ? NewFile::kCreated : NewFile::kFailed;
}

}  // namespace vklib::posix
