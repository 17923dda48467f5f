// Detection and reading of any file content with any buffer size: each call must stay inside the
// buffer (guard bytes after it), end in a NUL, and the reading must end. The table conversions
// the readers use must give what the slow conversions give, on the same bytes.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "vklib/codepage.h"
#include "vklib/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t buffer_size = 1 + (data[0] | data[1] << 8) % 4200;
  const bool blocks = (data[1] & 0x80) != 0;
  const std::string path = FuzzDirectory() + "/input.tex";
  WriteWholeFile(path, data + 2, size - 2);

  std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
  std::string slow, fast;
  vklib::MultiByteToAnsi(vklib::kCodePageUtf8, bytes, slow);
  vklib::AppendUtf8AsAnsi(bytes, fast);
  if (slow != fast) std::abort();
  std::u16string wide;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  vklib::WideToAnsi(wide, slow);
  fast.clear();
  vklib::AppendWideAsAnsi(wide, fast);
  if (slow != fast) std::abort();

  vklib::TextFile file;
  file.Detect(data + 2, size - 2);
  if (!file.Open(path)) return 0;
  std::vector<char> buffer(buffer_size + 64, '\x55');
  size_t calls = 0;
  for (;;) {
    size_t length = blocks ? file.ReadBlock(buffer.data(), buffer_size)
                           : file.ReadLine(buffer.data(), buffer_size);
    if (length == 0) break;
    if (length >= buffer_size || buffer[length] != '\0') std::abort();
    for (size_t i = buffer_size; i < buffer.size(); ++i) {
      if (buffer[i] != '\x55') std::abort();
    }
    if (++calls > size + 8) std::abort();  // every call takes at least one byte
  }
  return 0;
}
