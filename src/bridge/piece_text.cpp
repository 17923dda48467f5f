#include "bridge/piece_text.h"

#include "vklib/codepage.h"

namespace {

// The length of the well-formed UTF-8 sequence that starts `bytes`, 0 when there is none there,
// or `kCutOff` when the bytes end before the sequence does (all that is there being right).
constexpr size_t kCutOff = static_cast<size_t>(-1);

size_t Utf8Sequence(std::string_view bytes) {
  const unsigned char lead = static_cast<unsigned char>(bytes[0]);
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong form
    if (lead == 0xED) high = 0x9F;  // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if (i == bytes.size()) return kCutOff;
    const unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

// The UTF-16 of a well-formed sequence.
void AppendDecoded(std::string_view sequence, std::u16string& wide) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(sequence[i]); };
  char32_t code = sequence.size() == 2   ? byte(0) & 0x1Fu
                  : sequence.size() == 3 ? byte(0) & 0x0Fu
                                         : byte(0) & 0x07u;
  for (size_t i = 1; i < sequence.size(); ++i)
    code = code << 6 | (byte(i) & 0x3Fu);
  if (code < 0x10000) {
    wide += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    wide += static_cast<char16_t>(0xD800 + (code >> 10));
    wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
}

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

}  // namespace

std::string Utf8ToShiftJis::Convert(std::string_view piece) {
  pending_.append(piece);
  const std::string_view text = pending_;
  std::string out;
  std::u16string run;  // well-formed text waiting to be converted in one go
  auto flush = [&] {
    std::string ansi;
    if (!run.empty() && vklib::WideToAnsi(run, ansi)) out += ansi;
    run.clear();
  };
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      run += static_cast<char16_t>(byte);
      ++i;
      continue;
    }
    const size_t length = Utf8Sequence(text.substr(i));
    if (length == kCutOff) break;  // the rest comes with the next piece
    if (length == 0) {
      flush();
      out += text[i++];
      continue;
    }
    AppendDecoded(text.substr(i, length), run);
    i += length;
  }
  flush();
  pending_.erase(0, i);
  return out;
}

std::string Utf8ToShiftJis::Finish() {
  // A sequence cut off by the end is no UTF-8: its bytes pass as they are.
  std::string rest;
  rest.swap(pending_);
  return rest;
}

std::string ShiftJisToUtf8::Convert(std::string_view piece) {
  pending_.append(piece);
  // Character by character: a pair the code page lacks must not change how the bytes after it
  // are read, which a conversion of the whole text may do. (Typed text is short.)
  std::string utf8;
  size_t i = 0;
  while (i < pending_.size()) {
    const unsigned char byte = static_cast<unsigned char>(pending_[i]);
    if (!vklib::IsLeadByte(byte)) {
      utf8 += vklib::AnsiToUtf8(std::string_view(pending_).substr(i++, 1));
      continue;
    }
    if (i + 1 == pending_.size()) break;  // its second byte comes with the next piece
    if (IsTrailByte(static_cast<unsigned char>(pending_[i + 1]))) {
      utf8 += vklib::AnsiToUtf8(std::string_view(pending_).substr(i, 2));
      i += 2;
    } else {
      utf8 += '?';  // a lead byte alone
      ++i;
    }
  }
  pending_.erase(0, i);
  return utf8;
}

std::string ShiftJisToUtf8::Finish() {
  const bool lone_lead = !pending_.empty();
  pending_.clear();
  return lone_lead ? "?" : "";
}
