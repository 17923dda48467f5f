// Every reader's exact output on the corpus, the samples and generated hostile files, kept as
// digests: a faster decoder must give the same bytes, replacements of invalid and unmappable
// input included. The digests are those of this platform's (POSIX) conversions.
// PRESSEL2_WRITE_DIGESTS=1 writes the table anew instead of comparing.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "support/test_support.h"
#include "vklib/text_file.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSource = PRESSEL2_SOURCE_DIR;

// Random bytes of a fixed sequence, drawn from `alphabet`, with line ends among them.
std::string Generated(uint32_t seed, const std::string& head, const std::string& alphabet,
                      size_t size) {
  std::mt19937 random(seed);
  std::string text = head;
  while (text.size() < size) {
    uint32_t draw = random();
    text += (draw >> 16) % 23 == 0 ? std::string((draw & 1) != 0 ? "\r\n" : "\n")
                                   : std::string(1, alphabet[(draw & 0xFFFF) % alphabet.size()]);
  }
  return text;
}

std::string Range(int from, int to) {
  std::string bytes;
  for (int byte = from; byte <= to; ++byte)
    bytes += static_cast<char>(byte);
  return bytes;
}

// The generated files: each reader gets text it has to take apart, invalid parts included.
std::map<std::string, std::string> GeneratedFiles() {
  std::map<std::string, std::string> files;
  const std::string ascii = Range(0x20, 0x7E);
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    files["sjis-" + std::to_string(seed)] = Generated(seed, "", Range(0x01, 0xFF), 6000);
    files["sjis-cr-" + std::to_string(seed)] =
        Generated(seed, "\r\r\r", ascii + Range(0x81, 0xFC) + std::string(40, '\r'), 6000);
    files["euc-" + std::to_string(seed)] =
        Generated(seed, "", ascii + Range(0xA1, 0xFE) + "\x8E\x8F", 6000);
    files["iso-" + std::to_string(seed)] =
        Generated(seed, "\x1B$B", ascii + "\x1B\x1B\x1B" + "$B(J@", 6000);
    files["utf8-" + std::to_string(seed)] =
        Generated(seed, "\xEF\xBB\xBF", Range(0x01, 0xFF) + Range(0x80, 0xBF) + ascii, 6000);
    files["utf16le-" + std::to_string(seed)] = Generated(seed, "\xFF\xFE", Range(0x00, 0xFF), 6000);
    files["utf16be-" + std::to_string(seed)] = Generated(seed, "\xFE\xFF", Range(0x00, 0xFF), 6000);
  }
  return files;
}

// Everything the readers give for a file: lines with three buffer sizes and blocks with two.
uint64_t Digest(const std::string& path) {
  uint64_t hash = 1469598103934665603ull;
  auto add = [&](const char* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i)
      hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
  };
  for (int way = 0; way < 5; ++way) {
    const size_t size = std::array<size_t, 5>{4096, 37, 6, 4096, 50}[way];
    vklib::TextFile file;
    if (!file.Open(path)) return 0;
    std::vector<char> buffer(size + 1);
    while (size_t length =
               way < 3 ? file.ReadLine(buffer.data(), size) : file.ReadBlock(buffer.data(), size)) {
      add(buffer.data(), length + 1);  // the NUL marks where each call ended
    }
  }
  return hash;
}

TEST(DecoderOutput, IsTheSameByteForByte) {
  test::TempDir dir;
  std::map<std::string, std::string> paths;
  for (const auto& [name, bytes] : GeneratedFiles()) {
    paths[name] = dir.File(name + ".tex");
    test::WriteFile(paths[name], bytes);
  }
  for (const fs::path& tree : {kSource / "fuzz/corpus/text_file", kSource / "samples"}) {
    for (const auto& entry : fs::recursive_directory_iterator(tree)) {
      if (entry.is_regular_file())
        paths[fs::relative(entry.path(), kSource).string()] = entry.path();
    }
  }
  const fs::path table = kSource / "tests/unit/decoder_digests.txt";
  std::ostringstream computed;
  for (const auto& [name, path] : paths)
    computed << name << " " << std::hex << Digest(path) << "\n";
  if (std::getenv("PRESSEL2_WRITE_DIGESTS") != nullptr) {
    std::ofstream(table) << computed.str();
    return;
  }
  EXPECT_EQ(test::ReadFile(table.string()), computed.str());
}

}  // namespace
#endif
