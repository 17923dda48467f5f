#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <utility>

#include "vklib/codepage.h"

namespace vklib {
namespace {

const char kUtf16[] = "UTF-16LE";  // char16_t on the little-endian machines we build for
const char kUtf8Name[] = "UTF-8";
const char kShiftJisName[] = "CP932";

const char* IconvName(unsigned code_page) {
  switch (code_page) {
    case kCodePageAnsi:
    case kCodePageShiftJis:
      return kShiftJisName;
    case 936:
      return "CP936";
    case 949:
      return "CP949";
    case 950:
      return "CP950";
    case kCodePageUtf7:
      return "UTF-7";
    case kCodePageUtf8:
      return kUtf8Name;
    default:
      return nullptr;
  }
}

// The length of the UTF-8 sequence at `text`: its lead byte and the continuation bytes that
// follow it, so that one unconvertible character gives one replacement.
size_t Utf8SequenceLength(const char* text, size_t size) {
  unsigned char lead = static_cast<unsigned char>(text[0]);
  size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  size_t length = 1;
  while (length < wanted && length < size &&
         (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
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

  // Converts all of `in`; an invalid, cut-off or unconvertible unit of `unit` bytes (0: a UTF-8
  // sequence) is skipped and `replacement` written in its place.
  std::string Run(std::string_view in, size_t unit, std::string_view replacement) {
    std::string out;
    Run(in, unit, replacement, out);
    return out;
  }
  void Run(std::string_view in, size_t unit, std::string_view replacement, std::string& out) {
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
      size_t skip =
          std::min(unit == 0 ? Utf8SequenceLength(source, source_left) : unit, source_left);
      source += skip;
      source_left -= skip;
      if (out.size() - written < replacement.size() + 16) out.resize(out.size() * 2 + 16);
      out.replace(written, replacement.size(), replacement);
      written += replacement.size();
    }
    out.resize(written);
  }

 private:
  iconv_t cd_;
};

// The names are literals of this file, so their addresses tell them apart.
Converter& ConverterFor(const char* to, const char* from) {
  thread_local std::map<std::pair<const char*, const char*>, Converter> converters;
  auto key = std::make_pair(to, from);
  auto it = converters.find(key);
  if (it == converters.end()) {
    it = converters
             .emplace(std::piecewise_construct, std::forward_as_tuple(key),
                      std::forward_as_tuple(to, from))
             .first;
  }
  return it->second;
}

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

bool AskIsLeadByte(unsigned char byte) {
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
  Converter& converter = ConverterFor(kShiftJisName, kUtf16);
  if (!converter.ok()) return false;
  bytes = converter.Run(raw, 2, "?");
  return true;
}

bool MultiByteToAnsi(unsigned code_page, std::string_view bytes, std::string& ansi) {
  ansi.clear();
  const char* name = IconvName(code_page);
  if (name == nullptr) return false;
  if (name == kShiftJisName) {
    ansi.assign(bytes);
    return true;
  }
  Converter& converter = ConverterFor(kShiftJisName, name);
  if (!converter.ok()) return false;
  // A character that cannot be read, or that Shift_JIS lacks, becomes "?", as it does through
  // U+FFFD on Windows.
  converter.Run(bytes, name == kUtf8Name ? 0 : 1, "?", ansi);
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

std::string ConsoleText(std::string_view ansi) {
  return AnsiToUtf8(ansi);
}

std::string ArgumentText(std::string_view argument) {
  return Utf8ToAnsi(argument);
}

// ASCII is the same in both, and most names and texts that pass here are ASCII.
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string AnsiToUtf8(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);
  Converter& converter = ConverterFor(kUtf8Name, kShiftJisName);
  return converter.ok() ? converter.Run(ansi, 1, "?") : std::string(ansi);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  Converter& converter = ConverterFor(kShiftJisName, kUtf8Name);
  return converter.ok() ? converter.Run(utf8, 0, "?") : std::string(utf8);
}

}  // namespace vklib
