#pragma once

#include <string>

// POSIX only: writing a small file that other programs read and write at the same time (the
// settings file), so that none of them ever sees it cut short or loses another's change. Paths
// are UTF-8.
namespace vklib::posix {

// The file a path names, through any links, a link to no file yet included: such a link gets
// its target written, it is never replaced by a plain file.
std::string LinkTarget(const std::string& path);

// An exclusive lock (flock) on the file at a path, held for the life of the object, on the file
// that has the name when the lock is granted: a writer before us may have replaced it.
class FileLock {
 public:
  enum Result {
    kOpen,      // open for reading, locked unless no lock could be had
    kNoFile,    // there is no file of the name
    kUnusable,  // there is something else, or a file that cannot be read
  };

  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Waits a few seconds at most for a holder that does not let go, then goes on without the
  // lock: a program stopped while it held one must not hang the others.
  Result Lock(const std::string& path);
  // The locked file, open for reading.
  int descriptor() const { return descriptor_; }

 private:
  int descriptor_ = -1;
};

// Reads a whole open file from its start; false on a read error.
bool ReadFromStart(int descriptor, std::string& content);

// Gives a file new bytes at once: they go to a new file beside it, which then takes its name,
// with the old file's permissions. Only where the directory refuses new files is it written in
// place; a full disk fails the write and leaves the old file whole.
bool ReplaceFile(const std::string& path, const std::string& bytes);

// Makes a file of these bytes where there is none: whole, and never over a file that came
// meanwhile.
enum class NewFile { kCreated, kExisted, kFailed };
NewFile CreateNewFile(const std::string& path, const std::string& bytes);

}  // namespace vklib::posix
