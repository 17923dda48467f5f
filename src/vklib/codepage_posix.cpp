#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <utility>

#include "vklib/codepage.h"

namespace vklib {
namespace {

const char* IconvName(unsigned code_page) {
  switch (code_page) {
    case kCodePageAnsi:
    case kCodePageShiftJis:
      return "CP932";
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    case kCodePageUtf7:
      return "UTF-7";
    case kCodePageUtf8:
      return "UTF-8";
    default:
      return nullptr;
  }
}

// One iconv descriptor per direction, opened on first use and kept for the thread's life.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`; an invalid or cut-off unit of `unit` bytes is skipped and
  // `replacement` written in its place.
  std::string Run(std::string_view in, size_t unit, std::string_view replacement) {
    std::string out;
    out.resize(in.size() * 4 + 16);
    char* source = const_cast<char*>(in.data());
    size_t source_left = in.size();
    size_t written = 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (source_left > 0) {
      char* target = out.data() + written;
      size_t target_left = out.size() - written;
      size_t result = iconv(cd_, &source, &source_left, &target, &target_left);
      written = out.size() - target_left;
      if (result != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      size_t skip = std::min(unit, source_left);
      source += skip;
      source_left -= skip;
      if (out.size() - written < replacement.size() + 16) out.resize(out.size() * 2 + 16);
      out.replace(written, replacement.size(), replacement);
      written += replacement.size();
    }
    out.resize(written);
    return out;
  }

 private:
  iconv_t cd_;
};

Converter& ConverterFor(const char* to, const char* from) {
  thread_local std::map<std::pair<std::string, std::string>, Converter> converters;
  auto key = std::make_pair(std::string(to), std::string(from));
  auto it = converters.find(key);
  if (it == converters.end()) {
    it = converters
             .emplace(std::piecewise_construct, std::forward_as_tuple(key),
                      std::forward_as_tuple(to, from))
             .first;
  }
  return it->second;
}

const char kUtf16[] = "UTF-16LE";  // char16_t on the little-endian machines we build for
const char kReplacementUtf16[] = "\xFD\xFF";

// Full-width Latin, Greek and Cyrillic capitals of code page 932 and their small letters.
unsigned LowerDoubleByte(unsigned code) {
  if (code >= 0x8260 && code <= 0x8279) return code + 0x21;
  if (code >= 0x839F && code <= 0x83B6) return code + 0x20;
  if (code >= 0x8440 && code <= 0x8460) {
    unsigned index = code - 0x8440;
    return 0x8470 + index + (index >= 15 ? 1 : 0);
  }
  return code;
}

}  // namespace

unsigned GetAnsiCodePage() {
  return kCodePageShiftJis;
}

bool IsCodePageInstalled(unsigned code_page) {
  return code_page != kCodePageAnsi && IconvName(code_page) != nullptr;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool MultiByteToWide(unsigned code_page, std::string_view bytes, std::u16string& wide) {
  wide.clear();
  const char* name = IconvName(code_page);
  if (name == nullptr) return false;
  Converter& converter = ConverterFor(kUtf16, name);
  if (!converter.ok()) return false;
  std::string raw = converter.Run(bytes, 1, std::string_view(kReplacementUtf16, 2));
  wide.resize(raw.size() / 2);
  for (size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                    static_cast<unsigned char>(raw[2 * i + 1]) << 8);
  }
  return true;
}

bool WideToAnsi(std::u16string_view wide, std::string& bytes) {
  std::string raw(wide.size() * 2, '\0');
  for (size_t i = 0; i < wide.size(); ++i) {
    raw[2 * i] = static_cast<char>(wide[i] & 0xFF);
    raw[2 * i + 1] = static_cast<char>(wide[i] >> 8);
  }
  Converter& converter = ConverterFor("CP932", kUtf16);
  if (!converter.ok()) return false;
  bytes = converter.Run(raw, 2, "?");
  return true;
}

void LowerCaseAnsi(std::string& text) {
  for (size_t i = 0; i < text.size();) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (CharLength(text, i) == 2) {
      unsigned code = byte << 8 | static_cast<unsigned char>(text[i + 1]);
      unsigned lower = LowerDoubleByte(code);
      text[i] = static_cast<char>(lower >> 8);
      text[i + 1] = static_cast<char>(lower & 0xFF);
      i += 2;
      continue;
    }
    if (byte >= 'A' && byte <= 'Z') text[i] = static_cast<char>(byte - 'A' + 'a');
    ++i;
  }
}

std::string AnsiToUtf8(std::string_view ansi) {
  Converter& converter = ConverterFor("UTF-8", "CP932");
  return converter.ok() ? converter.Run(ansi, 1, "?") : std::string(ansi);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  Converter& converter = ConverterFor("CP932", "UTF-8");
  return converter.ok() ? converter.Run(utf8, 1, "?") : std::string(utf8);
}

}  // namespace vklib
