#include "build/build_state.h"

#include <cstdint>
#include <cstdio>

#include "vklib/file.h"

namespace {

const char kFirstLine[] = "Pressel2 build state 1";
const char kIndexKey[] = "index ";
const char kBibliographyKey[] = "bibliography ";
constexpr size_t kDigestLength = 16;

bool IsDigest(std::string_view text) {
  if (text.size() != kDigestLength) return false;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

// The digest after `key` at the start of a line; "" when the line is another's or damaged.
std::string DigestAfter(std::string_view line, std::string_view key) {
  if (line.substr(0, key.size()) != key) return std::string();
  line.remove_prefix(key.size());
  return IsDigest(line) ? std::string(line) : std::string();
}

}  // namespace

std::string Digest(std::string_view bytes) {
  uint64_t hash = 1469598103934665603ull;
  for (char byte : bytes)
    hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
  char text[kDigestLength + 1];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

BuildState ReadBuildState(const std::string& file) {
  BuildState state;
  std::string bytes;
  if (!vklib::ReadWholeFile(file, bytes)) return state;
  std::string_view rest = bytes;
  bool first = true;
  while (!rest.empty()) {
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first && line != kFirstLine) return state;  // someone else's file, or damaged
    first = false;
    if (std::string digest = DigestAfter(line, kIndexKey); !digest.empty()) state.index = digest;
    if (std::string digest = DigestAfter(line, kBibliographyKey); !digest.empty())
      state.bibliography = digest;
  }
  return state;
}

void WriteBuildState(const std::string& file, const BuildState& state) {
  std::string text = std::string(kFirstLine) + "\n";
  if (!state.index.empty()) text += kIndexKey + state.index + "\n";
  if (!state.bibliography.empty()) text += kBibliographyKey + state.bibliography + "\n";
  vklib::UniqueFile stream(vklib::OpenFile(file, "wb"));
  if (stream) std::fwrite(text.data(), 1, text.size(), stream.get());
}
