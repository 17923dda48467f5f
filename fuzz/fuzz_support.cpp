#include "fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

const std::string& FuzzDirectory() {
  static const std::string directory = [] {
    // Under the run's own TMPDIR, which scripts/fuzz removes, leaving other runs' files alone.
    const char* temporary = std::getenv("TMPDIR");
    std::string path = std::string(temporary != nullptr ? temporary : "/tmp") + "/pressel2-fuzz-" +
                       std::to_string(getpid());
    mkdir(path.c_str(), 0700);
    return path;
  }();
  return directory;
}

void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
}
