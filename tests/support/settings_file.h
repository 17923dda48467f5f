#pragma once

#include <string>

#include "settings/settings.h"
#include "support/test_support.h"

namespace test {

// Points the program's settings file at a fresh file of a temporary directory for the life of
// the object.
class SettingsFile {
 public:
  SettingsFile() : saved_(IniPath) { IniPath = dir_.File("pressel2.ini"); }
  ~SettingsFile() { IniPath = saved_; }
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  std::string Content() const { return ReadFile(IniPath); }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  std::string saved_;
};

}  // namespace test
