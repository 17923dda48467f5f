#include "vklib/codepage.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace vklib {

const bool* LeadByteTable() {
  static const struct Table {
    Table() {
      for (unsigned byte = 0; byte < 256; ++byte)
        lead[byte] = AskIsLeadByte(static_cast<unsigned char>(byte));
    }
    bool lead[256];
  } table;
  return table.lead;
}

namespace {

bool IsSurrogate(char32_t code) {
  return code - 0xD800 < 0x800;
}

// What WideToAnsi gives for each character outside the surrogates: one or two bytes. A page of
// 256 characters is asked for the first time one of them is needed (some conversions take long
// over characters the code page lacks, and a document uses a few pages only).
class AnsiOfWide {
 public:
  // Whether every ASCII character is its own byte in the code page.
  bool AsciiStays() {
    static const bool stays = [this] {
      char out[2];
      for (char32_t code = 0; code < 0x80; ++code) {
        if (Write(code, out) != 1 || out[0] != static_cast<char>(code)) return false;
      }
      return true;
    }();
    return stays;
  }
  // Writes the bytes of a character at `out` and gives how many there are.
  size_t Write(char32_t code, char* out) {
    Prepare(code >> 8);
    return WritePrepared(code, out);
  }
  // The same once the character's page is known to be ready.
  void Prepare(size_t page) {
    if (!ready_[page].load(std::memory_order_acquire)) Fill(page);
  }
  size_t WritePrepared(char32_t code, char* out) const {
    std::memcpy(out, bytes_[code], 2);
    return length_[code];
  }

 private:
  void Fill(size_t page) {
    std::lock_guard<std::mutex> lock(filling_);
    if (ready_[page].load(std::memory_order_relaxed)) return;
    // One conversion of the page, each character followed by a line feed (no character but the
    // line feed gives the byte 0x0A in a multibyte code page), cut apart again.
    std::u16string all;
    for (char32_t code = page << 8; code < (page + 1) << 8; ++code) {
      if (IsSurrogate(code) || code == u'\n') continue;
      all += static_cast<char16_t>(code);
      all += u'\n';
    }
    std::string ansi;
    WideToAnsi(all, ansi);
    size_t at = 0;
    for (char32_t code = page << 8; code < (page + 1) << 8; ++code) {
      if (IsSurrogate(code)) continue;
      if (code == u'\n') {
        Set(code, "\n");
        continue;
      }
      size_t end = ansi.find('\n', at);
      if (end == std::string::npos) end = ansi.size();
      Set(code, std::string_view(ansi).substr(at, end - at));
      at = end + 1;
    }
    ready_[page].store(true, std::memory_order_release);
  }
  void Set(char32_t code, std::string_view bytes) {
    // A code page gives at most two bytes for one character; anything else stays unused.
    length_[code] = static_cast<unsigned char>(bytes.size() <= 2 ? bytes.size() : 0);
    for (size_t i = 0; i < length_[code]; ++i)
      bytes_[code][i] = bytes[i];
  }

  std::atomic<bool> ready_[0x100] = {};
  std::mutex filling_;
  char bytes_[0x10000][2] = {};
  unsigned char length_[0x10000] = {};
};

AnsiOfWide& Table() {
  static AnsiOfWide* const table = new AnsiOfWide();  // never freed: used to the end
  return *table;
}

// The length of a well-formed UTF-8 sequence of one to three bytes (a character of the table)
// at the start of `bytes`, or 0; `code` receives the character.
size_t TableSequence(std::string_view bytes, char32_t& code) {
  const unsigned char lead = static_cast<unsigned char>(bytes[0]);
  auto continuation = [&](size_t i) {
    return i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80;
  };
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF && continuation(1)) {
    code = (lead & 0x1Fu) << 6 | (bytes[1] & 0x3Fu);
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF && continuation(1) && continuation(2)) {
    code = (lead & 0x0Fu) << 12 | (bytes[1] & 0x3Fu) << 6 | (bytes[2] & 0x3Fu);
    return code >= 0x800 && !IsSurrogate(code) ? 3 : 0;
  }
  return 0;
}

}  // namespace

void AppendWideAsAnsi(std::u16string_view wide, std::string& ansi) {
  AnsiOfWide& table = Table();
  size_t written = ansi.size();
  ansi.resize(written + 2 * wide.size());  // two bytes at most for each character
  for (size_t i = 0; i < wide.size();) {
    if (!IsSurrogate(wide[i])) {
      written += table.Write(wide[i++], &ansi[written]);
      continue;
    }
    size_t end = i;
    while (end < wide.size() && IsSurrogate(wide[end]))
      ++end;
    std::string slow;
    WideToAnsi(wide.substr(i, end - i), slow);
    ansi.resize(std::max(ansi.size(), written + slow.size() + 2 * (wide.size() - end)));
    written = slow.copy(&ansi[written], slow.size()) + written;
    i = end;
  }
  ansi.resize(written);
}

size_t Utf8RunAsAnsi(std::string_view utf8, size_t room, char* ansi, size_t& taken) {
  AnsiOfWide& table = Table();
  const bool ascii_stays = table.AsciiStays();
  const size_t end = std::min(utf8.size(), room);
  size_t written = 0;
  size_t i = 0;
  while (i < end) {
    const unsigned char byte = static_cast<unsigned char>(utf8[i]);
    if (byte == '\r' || byte == '\n') break;
    if (byte < 0x80 && ascii_stays) {
      ansi[written++] = static_cast<char>(byte);
      ++i;
      continue;
    }
    char32_t code = 0;
    const size_t length = TableSequence(utf8.substr(i, end - i), code);
    if (length == 0) break;
    written += table.Write(code, ansi + written);
    i += length;
  }
  taken = i;
  return written;
}

size_t WideRunAsAnsi(std::u16string_view units, char* ansi, size_t& taken) {
  AnsiOfWide& table = Table();
  size_t written = 0;
  size_t i = 0;
  size_t prepared_page = SIZE_MAX;
  for (; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if ((unit <= u'\r' && (unit == u'\r' || unit == u'\n')) || IsSurrogate(unit)) break;
    if (size_t page = unit >> 8; page != prepared_page) {
      table.Prepare(page);
      prepared_page = page;
    }
    written += table.WritePrepared(unit, ansi + written);
  }
  taken = i;
  return written;
}

void AppendUtf8AsAnsi(std::string_view utf8, std::string& ansi) {
  AnsiOfWide& table = Table();
  const bool ascii_stays = table.AsciiStays();
  size_t written = ansi.size();
  ansi.resize(written + utf8.size());  // no character gets longer
  for (size_t i = 0; i < utf8.size();) {
    if (ascii_stays && static_cast<unsigned char>(utf8[i]) < 0x80) {
      ansi[written++] = utf8[i++];
      continue;
    }
    char32_t code = 0;
    if (size_t length = TableSequence(utf8.substr(i), code)) {
      written += table.Write(code, &ansi[written]);
      i += length;
      continue;
    }
    // Anything else, with the continuation bytes after it, the slow way: the conversion starts
    // afresh at the next byte that is none.
    size_t end = i + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
      ++end;
    std::string slow;
    MultiByteToAnsi(kCodePageUtf8, utf8.substr(i, end - i), slow);
    ansi.resize(std::max(ansi.size(), written + slow.size() + (utf8.size() - end)));
    written = slow.copy(&ansi[written], slow.size()) + written;
    i = end;
  }
  ansi.resize(written);
}

size_t FindText(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (needle.size() > text.size()) return std::string_view::npos;
  // The needle's first byte is looked for the fast way; a place found counts only where a
  // character starts, which the walk from the text's start tells.
  const size_t last = text.size() - needle.size();  // the last place the needle fits
  size_t boundary = 0;
  for (size_t search = from; search <= last;) {
    const void* hit = std::memchr(text.data() + search, needle[0], last - search + 1);
    if (hit == nullptr) break;
    const size_t place = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
    while (boundary < place)
      boundary += CharLength(text, boundary);
    if (boundary == place && text.compare(place, needle.size(), needle) == 0) return place;
    search = place + 1;
  }
  return std::string_view::npos;
}

}  // namespace vklib
