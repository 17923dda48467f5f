#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace test {

// A program of ours built beside the test executable ("scripted-child"), with ".exe" on Windows.
std::string HelperPath(const std::string& name);
// The text between double quotes, for a command line.
std::string Quoted(const std::string& text);

// A file of the source tree by its path from the top ("tests/unit/tex_logs/rerun.log"), as this
// platform names it (under Wine, the Unix root is drive Z:).
std::string SourceFile(const std::string& relative);

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path + separator + relative name ("/" in the name is the platform's separator).
  std::string File(const std::string& name) const;
  // Creates a subdirectory (and its parents) and returns its path.
  std::string Directory(const std::string& name) const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// The lines of a file, without their line ends.
std::vector<std::string> ReadLines(const std::string& path);

// The text with the time of each closing line of a build ("4.2秒") as "T秒": it is whatever the
// run took.
std::string WithoutTimes(const std::string& text);

// Waits until `condition` holds or the time-out passes; gives the last answer.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Whether a process with this id is running (a zombie counts as ended).
bool ProcessAlive(long pid);
// Ends a process that is not ours to close otherwise.
void KillProcess(long pid);
// The number of handles (Windows) or file descriptors (POSIX) the test process holds.
long OpenHandleCount();

}  // namespace test
