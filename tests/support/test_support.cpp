#include "support/test_support.h"

#include <atomic>
#include <filesystem>
#include <regex>
#include <thread>

#include "texsource/paths.h"
#include "vklib/file.h"

namespace test {

namespace fs = std::filesystem;

std::string HelperPath(const std::string& name) {
  std::string self = vklib::ModuleFileName();
  std::string directory = self.substr(0, self.rfind(vklib::kPathSeparator));
#ifdef _WIN32
  return directory + vklib::kPathSeparator + name + ".exe";
#else
  return directory + vklib::kPathSeparator + name;
#endif
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path dir = fs::temp_directory_path() /
                 ("pressel2-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(dir);
  path_ = dir.string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(fs::path(path_), ignored);
}

std::string TempDir::File(const std::string& name) const {
  std::string relative = name;
  for (char& c : relative) {
    if (c == '/') c = vklib::kPathSeparator;
  }
  return path_ + vklib::kPathSeparator + relative;
}

std::string TempDir::Directory(const std::string& name) const {
  std::string path = File(name);
  fs::create_directories(fs::path(path));
  return path;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  vklib::UniqueFile file(vklib::OpenFile(path, "wb"));
  if (file) std::fwrite(bytes.data(), 1, bytes.size(), file.get());
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  vklib::UniqueFile file(vklib::OpenFile(path, "rb"));
  if (!file) return bytes;
  char buffer[4096];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    bytes.append(buffer, count);
  return bytes;
}

std::string SourceFile(const std::string& relative) {
  std::string path = std::string(PRESSEL2_SOURCE_DIR) + "/" + relative;
  if (vklib::kDriveLetters && path[0] == '/') path = "Z:" + path;
  return WithPlatformSeparators(path);
}

std::string WithoutTimes(const std::string& text) {
  return std::regex_replace(text, std::regex("[0-9]+\\.[0-9]秒"), "T秒");
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = ReadFile(path);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return condition();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace test
