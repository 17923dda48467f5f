// Writes a settings file the way the program does, for the tests that need several programs
// writing one file at once:
//   settings-writer INI first-run           what a start does: the first-run values, when there
//                                           is no settings file yet
//   settings-writer INI keys PREFIX COUNT   section "Keys", keys PREFIX0 to PREFIX<COUNT-1>, one
//                                           write each, the value of each its key
// Exits with 0 when every write was stored, 1 when one was not, 2 on a wrong command line.
#include <cstdlib>
#include <string>

#include "settings/settings.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  IniPath = argv[1];
  const std::string command = argv[2];
  if (command == "first-run" && argc == 3) return !IsFirstRun() || WriteFirstRunDefaults() ? 0 : 1;
  if (command != "keys" || argc != 5) return 2;
  bool stored = true;
  for (int i = 0, count = std::atoi(argv[4]); i < count; ++i) {
    const std::string key = argv[3] + std::to_string(i);
    stored &= WriteIniString("Keys", key, key);
  }
  return stored ? 0 : 1;
}
