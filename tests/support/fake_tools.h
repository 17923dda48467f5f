#pragma once

#include <string>

#include "support/test_support.h"

namespace test {

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const std::string& name, const std::string& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::string saved_;
  bool had_value_;
};

// Our fake tool copied under the names of the TeX chain's programs into a directory that goes
// first on the PATH (or is the whole PATH, to hide the real tools) while the object lives.
class FakeTools {
 public:
  enum class Path { kFirst, kOnly };
  explicit FakeTools(Path path = Path::kFirst);

  const std::string& bin() const { return bin_dir_; }
  // Removes one tool again (to test a PATH without it).
  void Remove(const std::string& tool);

 private:
  TempDir dir_;
  std::string bin_dir_;
  ScopedEnvironment path_;
};

// The lines of the fake tools' log in a directory.
std::vector<std::string> ToolLog(const std::string& directory);

}  // namespace test
