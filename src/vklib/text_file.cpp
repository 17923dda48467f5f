#include "vklib/text_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/text_readers.h"

namespace vklib {
namespace {

bool StartsWith(const unsigned char* sample, size_t size, std::initializer_list<unsigned> bytes) {
  if (size < bytes.size()) return false;
  size_t i = 0;
  for (unsigned byte : bytes) {
    if (sample[i++] != byte) return false;
  }
  return true;
}

// The first byte from `from` on that is not ASCII, or `size`; eight bytes at a time.
size_t SkipAscii(const unsigned char* sample, size_t size, size_t from) {
  uint64_t eight = 0;
  while (from + 8 <= size &&
         (std::memcpy(&eight, sample + from, 8), eight & 0x8080808080808080u) == 0)
    from += 8;
  while (from < size && sample[from] < 0x80)
    ++from;
  return from;
}

}  // namespace

bool TextFile::IsUtf8Sample(const unsigned char* sample, size_t size) {
  size_t expected = 0;
  for (size_t i = 0; i < size; ++i) {
    if (expected == 0) {
      i = SkipAscii(sample, size, i);
      if (i == size) break;
    }
    unsigned char byte = sample[i];
    if (expected > 0) {
      if (byte < 0x80 || byte > 0xBF) return false;
      --expected;
      continue;
    }
    if (byte < 0x80) continue;
    if (byte < 0xC0 || byte >= 0xFE) return false;
    expected = byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : byte < 0xF8 ? 3 : byte < 0xFC ? 4 : 5;
  }
  return true;
}

void TextFile::Detect(const unsigned char* sample, size_t size) {
  code_ = kEncodingUnknown;
  line_end_ = kLineEndCrLf;
  // Four counts a byte value, summed after: one count alone makes each step wait for the last.
  uint32_t counts[4][256] = {};
  size_t i = 0;
  for (; i + 4 <= size; i += 4) {
    ++counts[0][sample[i]];
    ++counts[1][sample[i + 1]];
    ++counts[2][sample[i + 2]];
    ++counts[3][sample[i + 3]];
  }
  for (; i < size; ++i)
    ++counts[0][sample[i]];
  size_t histogram[256];
  for (unsigned byte = 0; byte < 256; ++byte)
    histogram[byte] = size_t{counts[0][byte]} + counts[1][byte] + counts[2][byte] + counts[3][byte];
  bool high_bytes = false;
  for (unsigned byte = 0x80; byte < 0x100; ++byte)
    high_bytes = high_bytes || histogram[byte] > 0;
  size_t cr = histogram[0x0D], lf = histogram[0x0A];
  if (cr > 2 * lf) {
    line_end_ = kLineEndCr;
  } else if (lf > 2 * cr) {
    line_end_ = kLineEndLf;
  }

  unsigned acp = GetAnsiCodePage();
  int32_t ansi = acp == 932 || acp == 936 || acp == 949 || acp == 950 ? static_cast<int32_t>(acp)
                                                                      : kEncodingOtherAnsi;
  if (size <= 4) {
    code_ = ansi;
    return;
  }
  bool shift_jis = IsCodePageInstalled(932);

  if (StartsWith(sample, size, {0xEF, 0xBB, 0xBF})) {
    code_ = kEncodingUtf8Mark;
  } else if (StartsWith(sample, size, {0x00, 0x00, 0xFE, 0xFF})) {
    code_ = kEncodingUtf32BeMark;
  } else if (StartsWith(sample, size, {0xFF, 0xFE, 0x00, 0x00})) {
    code_ = kEncodingUtf32LeMark;
  } else if (StartsWith(sample, size, {0xFE, 0xFF})) {
    code_ = kEncodingUtf16BeMark;
  } else if (StartsWith(sample, size, {0xFF, 0xFE})) {
    code_ = kEncodingUtf16LeMark;
  }
  if (code_ != kEncodingUnknown) return;

  if (StartsWith(sample, size, {0x1B, 0x24, 0x29, 0x43}) && IsCodePageInstalled(949)) {
    code_ = kEncodingIso2022Kr;
    return;
  }
  if (StartsWith(sample, size, {0x1B, 0x24, 0x29, 0x41}) && IsCodePageInstalled(936)) {
    code_ = kEncodingIso2022Cn;
    return;
  }
  if (shift_jis && !high_bytes && histogram[0x1B] > 0) {
    code_ = kEncodingIso2022Jp;
    return;
  }

  size_t digits_to_v = 0;
  for (unsigned byte = '0'; byte <= '9'; ++byte)
    digits_to_v += histogram[byte];
  for (unsigned byte = 'A'; byte <= 'V'; ++byte)
    digits_to_v += histogram[byte];
  if (digits_to_v == size) {
    code_ = kEncodingDigitsAtoV;
    return;
  }

  code_ = ansi;
  if (!high_bytes) return;
  // A short file with CR LF ends and none of the bytes that Shift_JIS text never holds is
  // trusted as it stands.
  if (size <= 4096 && line_end_ != kLineEndLf && histogram[0xFD] == 0 && histogram[0xFE] == 0 &&
      histogram[0xFF] == 0 && histogram[0x80] == 0) {
    return;
  }
  if (shift_jis) {
    bool euc = true;
    for (unsigned byte = 0x90; byte <= 0xA0 && euc; ++byte)
      euc = histogram[byte] == 0;
    for (unsigned byte = 0x7F; byte <= 0x8D && euc; ++byte)
      euc = histogram[byte] == 0;
    if (euc) code_ = kEncodingEucJp;
  }
  if (IsUtf8Sample(sample, size)) code_ = kEncodingUtf8;
}

bool TextFile::Open(const std::string& name) {
  if (name.empty() || reader_) return false;
  UniqueFile file(OpenFile(name, "rb"));
  if (file == nullptr) return false;
  unsigned char sample[kSampleSize];
  size_t size = std::fread(sample, 1, sizeof sample, file.get());
  Detect(sample, size);
  std::fseek(file.get(), 0, SEEK_SET);

  switch (code_) {
    case kEncodingShiftJis:
      if (line_end_ != kLineEndCr) {
        reader_ = std::make_unique<rDirect>(std::move(file));
      } else {
        reader_ = std::make_unique<rSJIS>(std::move(file));
      }
      break;
    case kEncodingUtf8:
    case kEncodingUtf8Mark:
    case kEncodingUtf7:
      reader_ = std::make_unique<rUTF7_8>(std::move(file),
                                          static_cast<unsigned>(code_ < 0 ? -code_ : code_));
      break;
    case kEncodingUtf16BeMark:
    case kEncodingUtf16Be:
      reader_ = std::make_unique<rUTF16>(std::move(file), true);
      break;
    case kEncodingUtf16LeMark:
    case kEncodingUtf16Le:
      reader_ = std::make_unique<rUTF16>(std::move(file), false);
      break;
    case kEncodingEucJp:
      reader_ = std::make_unique<rEUC>(std::move(file));
      break;
    case kEncodingIso2022Jp:
      reader_ = std::make_unique<rIsoJP>(std::move(file));
      break;
    default:
      reader_ = std::make_unique<rSJIS>(std::move(file));
      break;
  }
  return true;
}

bool TextFile::KeepsAsciiRuns() const {
  switch (code_) {
    case kEncodingUtf8:
    case kEncodingUtf8Mark:
      return !kAnsiBestFit;
    case kEncodingUtf7:
    case kEncodingUtf16BeMark:
    case kEncodingUtf16Be:
    case kEncodingUtf16LeMark:
    case kEncodingUtf16Le:
    case kEncodingEucJp:      // 0x8E may stand before an ASCII byte and is taken away
    case kEncodingIso2022Jp:  // escape sequences are taken away
      return false;
    default:
      return true;  // read byte by byte (rDirect, rSJIS)
  }
}

bool TextFile::SampleKeepsAsciiRuns(const unsigned char* sample, size_t size) {
  size = std::min(size, kSampleSize);
  // Neither UTF-16 (only ever detected by its mark) nor, where the conversion has a best fit,
  // UTF-8 is ruled out by a glance.
  if (!kAnsiBestFit && !StartsWith(sample, size, {0xFE, 0xFF}) &&
      !StartsWith(sample, size, {0xFF, 0xFE})) {
    size_t i = SkipAscii(sample, size, 0);
    if (i == size) {
      // ASCII alone is read as it stands unless an ESC makes it ISO-2022-JP.
      if (std::memchr(sample, 0x1B, size) == nullptr) return true;
    } else {
      // A high byte that EUC-JP never holds: neither EUC-JP nor seven-bit ISO-2022-JP, so the
      // ANSI code page or UTF-8, both read with their ASCII as it stands.
      for (; i < size; ++i) {
        unsigned char byte = sample[i];
        if ((byte >= 0x80 && byte <= 0x8D) || (byte >= 0x90 && byte <= 0xA0)) return true;
      }
    }
  }
  TextFile detector;
  detector.Detect(sample, size);
  return detector.KeepsAsciiRuns();
}

void TextFile::Close() {
  reader_.reset();
}

}  // namespace vklib
