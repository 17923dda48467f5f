#include "vklib/text_readers.h"

#include <algorithm>
#include <string>

#include "vklib/codepage.h"

namespace vklib {
namespace {

// The caller's buffer: at most `limit` bytes of text, then the NUL. The readers stop in front of
// a character that does not fit, so none is ever cut.
class Output {
 public:
  Output(char* buffer, size_t size, size_t limit) : buffer_(buffer), size_(size), limit_(limit) {
    // Too small for a double-byte character and the NUL: nothing is read.
    if (size < 4) limit_ = 0;
  }
  bool Usable() const { return size_ >= 4; }
  bool Fits(size_t bytes) const { return count_ + bytes <= limit_; }
  // The LF that ends a line may go beyond the limit, but not past the room for the NUL.
  bool FitsLineEnd(bool one_line) const {
    return one_line ? limit_ > 0 && count_ + 2 <= size_ : Fits(1);
  }
  // How many more bytes of text fit.
  size_t Room() const { return limit_ > count_ ? limit_ - count_ : 0; }
  // Where the next byte goes, for text written in place (and then counted with Advance).
  char* Next() { return buffer_ + count_; }
  void Advance(size_t count) { count_ += count; }
  void Put(char byte) { buffer_[count_++] = byte; }
  void Put(std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(), buffer_ + count_);
    count_ += bytes.size();
  }
  size_t Finish() {
    if (size_ > 0) buffer_[count_] = '\0';
    return count_;
  }

 private:
  char* buffer_;
  size_t size_;
  size_t limit_;
  size_t count_ = 0;
};

// The readers other than rDirect collect at most size - 2 bytes, plus the LF that ends a line.
size_t TextLimit(size_t size) {
  return size >= 2 ? size - 2 : 0;
}

// A JIS X 0208 code (each byte 0x21 to 0x7E) as its two Shift_JIS bytes.
void PutJisAsShiftJis(Output& out, unsigned j1, unsigned j2) {
  int row = static_cast<int>(j1) - 0x20;
  int cell = static_cast<int>(j2) - 0x20;
  int first = ((row + 1) >> 1) + (row < 63 ? 0x80 : 0xC0);
  int second = (row & 1) != 0 ? (cell < 0x40 ? cell + 0x3F : cell + 0x40) : cell + 0x9E;
  out.Put(static_cast<char>(first & 0xFF));
  out.Put(static_cast<char>(second & 0xFF));
}

bool IsLineEnd(unsigned unit) {
  return unit == '\r' || unit == '\n';
}

// The bytes a UTF-8 lead byte asks for (itself included); 1 for any other byte.
size_t Utf8LeadLength(unsigned char byte) {
  return byte >= 0xFE   ? 1
         : byte >= 0xFC ? 6
         : byte >= 0xF8 ? 5
         : byte >= 0xF0 ? 4
         : byte >= 0xE0 ? 3
         : byte >= 0xC0 ? 2
                        : 1;
}

// The length of the run at the start of `bytes` that a Shift_JIS reader copies as it stands, at
// most `room` bytes: characters whole in `bytes`, none a line end, and no lead byte right before
// a line end.
size_t PlainRun(std::string_view bytes, size_t room) {
  const bool* lead = LeadByteTable();
  size_t n = 0;
  while (n < bytes.size() && !IsLineEnd(bytes[n])) {
    const size_t length = lead[static_cast<unsigned char>(bytes[n])] ? 2 : 1;
    if (n + length > room || n + length > bytes.size()) break;
    if (length == 2 && IsLineEnd(bytes[n + 1])) break;
    n += length;
  }
  return n;
}

}  // namespace

size_t rDirect::Read(char* buffer, size_t size, bool one_line) {
  // A text-mode read: the LF counts in the size - 1 bytes it may collect.
  Output out(buffer, size, size >= 1 ? size - 1 : 0);
  while (!AtEnd()) {
    const std::string_view buffered = Buffered();
    if (size_t run = PlainRun(buffered, out.Room())) {
      out.Put(buffered.substr(0, run));
      Skip(run);
      continue;
    }
    unsigned char byte = static_cast<unsigned char>(Peek());
    if (IsLeadByte(byte)) {
      if (!out.Fits(2)) break;
      out.Put(Get());
      // A line end is never a second byte: the lead byte stands alone, as at the file's end.
      if (!AtEnd() && !IsLineEnd(static_cast<unsigned char>(Peek()))) out.Put(Get());
      continue;
    }
    if (!out.Fits(1)) break;
    Get();
    if (byte == '\r' && !AtEnd() && Peek() == '\n') byte = static_cast<unsigned char>(Get());
    out.Put(static_cast<char>(byte));
    if (byte == '\n' && one_line) break;
  }
  return out.Finish();
}

size_t rSJIS::Read(char* buffer, size_t size, bool one_line) {
  Output out(buffer, size, TextLimit(size));
  while (!AtEnd()) {
    const std::string_view buffered = Buffered();
    if (size_t run = PlainRun(buffered, out.Room())) {
      out.Put(buffered.substr(0, run));
      Skip(run);
      continue;
    }
    unsigned char byte = static_cast<unsigned char>(Peek());
    if (IsLineEnd(byte)) {
      if (!out.FitsLineEnd(one_line)) break;
      TakeLineEnd(byte);
      out.Put('\n');
      if (one_line) break;
      continue;
    }
    size_t length = IsLeadByte(byte) ? 2 : 1;
    if (!out.Fits(length)) break;
    out.Put(Get());
    // A line end is never a second byte: the lead byte stands alone.
    if (length == 2 && !AtEnd() && !IsLineEnd(static_cast<unsigned char>(Peek()))) out.Put(Get());
  }
  return out.Finish();
}

size_t rEUC::Read(char* buffer, size_t size, bool one_line) {
  Output out(buffer, size, TextLimit(size));
  while (!AtEnd()) {
    unsigned char byte = Peek();
    if (IsLineEnd(byte)) {
      if (!out.FitsLineEnd(one_line)) break;
      TakeLineEnd(byte);
      out.Put('\n');
      if (one_line) break;
      continue;
    }
    // 0x8E: a half-width katakana byte follows; 0x8F: a JIS X 0212 character, read as if it
    // were JIS X 0208 (Shift_JIS has no place for it).
    int mode = byte == 0x8E ? 1 : byte == 0x8F ? 2 : byte < 0x80 ? 0 : 2;
    if (!out.Fits(mode == 2 ? 2 : 1)) break;
    // A character cut off by the end of the file, or by a line end, is dropped: a line end is
    // never a byte of a character.
    if (byte == 0x8E || byte == 0x8F) Get();
    if (AtEnd()) break;
    if (IsLineEnd(Peek())) continue;
    if (mode != 2) {
      out.Put(static_cast<char>(Get()));
      continue;
    }
    unsigned char first = Get();
    if (AtEnd()) break;
    if (IsLineEnd(Peek())) continue;
    PutJisAsShiftJis(out, first & 0x7F, Get() & 0x7Fu);
  }
  return out.Finish();
}

size_t rIsoJP::Read(char* buffer, size_t size, bool one_line) {
  Output out(buffer, size, TextLimit(size));
  while (!AtEnd()) {
    unsigned char byte = Peek();
    if (byte == 0x1B) {
      // An escape sequence cut off by a line end leaves the line end to end the line.
      Get();
      unsigned char first = IsLineEnd(Peek()) ? 0 : Get();
      unsigned char second = IsLineEnd(Peek()) ? 0 : Get();
      if (first == '(' && (second == 'B' || second == 'J')) mode_ = 0;
      if (first == '$' && (second == '@' || second == 'B')) mode_ = 2;
      continue;
    }
    if (IsLineEnd(byte)) {
      if (!out.FitsLineEnd(one_line)) break;
      mode_ = 0;
      TakeLineEnd(byte);
      out.Put('\n');
      if (one_line) break;
      continue;
    }
    if (!out.Fits(mode_ == 2 ? 2 : 1)) break;
    unsigned char first = Get();
    if (mode_ != 2) {
      out.Put(static_cast<char>(first));
      continue;
    }
    // A character cut off by the end of the file or by a line end is dropped.
    if (AtEnd()) break;
    if (IsLineEnd(Peek())) continue;
    PutJisAsShiftJis(out, first & 0x7F, Get() & 0x7Fu);
  }
  return out.Finish();
}

rUTF7_8::rUTF7_8(UniqueFile file, unsigned code_page)
    : FileRead(std::move(file)),
      code_page_(code_page == kCodePageUtf7 ? kCodePageUtf7 : kCodePageUtf8) {
  if (code_page_ != kCodePageUtf8) return;
  unsigned char mark[3] = {Get(), Get(), Get()};
  if (!(mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)) Rewind();
}

size_t rUTF7_8::Read(char* buffer, size_t size, bool one_line) {
  // Converted text is never longer than its UTF-8 or UTF-7 bytes, so taking at most the limit of
  // raw bytes keeps the result inside the buffer. Characters the table knows are converted as
  // they are taken; from the first one it does not know on, the raw bytes are gathered and
  // converted at the end, which gives the same text.
  Output out(buffer, size, size >= 1 ? size - 1 : 0);
  if (!out.Usable()) return out.Finish();
  const size_t limit = TextLimit(size);
  bool gathering = code_page_ != kCodePageUtf8;
  size_t taken = 0;  // raw bytes, against the limit
  raw_.clear();
  while (!AtEnd()) {
    const std::basic_string_view<unsigned char> buffered = Buffered();
    if (!gathering) {
      size_t run = 0;
      out.Advance(Utf8RunAsAnsi(
          std::string_view(reinterpret_cast<const char*>(buffered.data()), buffered.size()),
          limit - taken, out.Next(), run));
      if (run > 0) {
        taken += run;
        Skip(run);
        continue;
      }
    }
    const unsigned char byte = buffered[0];
    if (IsLineEnd(byte)) {
      if (taken + 1 > (one_line ? limit + 1 : limit)) break;
      TakeLineEnd(byte);
      ++taken;
      if (gathering) {
        raw_ += '\n';
      } else {
        out.Put('\n');
      }
      if (one_line) break;
      continue;
    }
    // A lead byte takes the continuation bytes that follow it, as many as it asks for at most:
    // a cut-off sequence never eats a line end.
    const size_t length = Utf8LeadLength(byte);
    if (taken + length > limit) break;
    char character[6];
    size_t count = 0;
    if (length <= buffered.size()) {
      do {
        character[count] = static_cast<char>(buffered[count]);
        ++count;
      } while (count < length && (buffered[count] & 0xC0) == 0x80);
      Skip(count);
    } else {
      character[count++] = static_cast<char>(Get());
      while (count < length && !AtEnd() && (Peek() & 0xC0) == 0x80)
        character[count++] = static_cast<char>(Get());
    }
    taken += count;
    // A character the table knows that the buffer's end cut; from anything else on, the bytes
    // are gathered.
    size_t converted = 0;
    const size_t written =
        gathering ? 0
                  : Utf8RunAsAnsi(std::string_view(character, count), count, out.Next(), converted);
    if (converted == count) {
      out.Advance(written);
      continue;
    }
    gathering = true;
    raw_.append(character, count);
  }
  if (!raw_.empty()) {
    text_.clear();
    if (code_page_ == kCodePageUtf8) {
      AppendUtf8AsAnsi(raw_, text_);
    } else {
      MultiByteToAnsi(code_page_, raw_, text_);
    }
    out.Put(std::string_view(text_).substr(0, out.Room()));
  }
  return out.Finish();
}

rUTF16::rUTF16(UniqueFile file, bool swap) : FileRead(std::move(file)), swap_(swap) {
  uint16_t first = Peek();
  if (AtEnd()) return;
  if (first == 0xFFFE || first == 0xFEFF) {
    swap_ = first == 0xFFFE;
    Get();
  }
}

size_t rUTF16::Read(char* buffer, size_t size, bool one_line) {
  // Each unit becomes at most two bytes of the ANSI code page. Units are converted as they are
  // taken; from the first surrogate on, they are gathered and converted at the end, which gives
  // the same text.
  Output out(buffer, size, size >= 1 ? size - 1 : 0);
  if (size < 7) return out.Finish();
  const size_t max_units = (size - 1) / 2 - 2;
  auto is_surrogate = [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; };
  bool gathering = false;
  size_t taken = 0;  // units, against the limit
  wide_.clear();
  while (!AtEnd()) {
    if (!gathering) {
      const size_t most = std::min(Buffered().size(), max_units - std::min(max_units, taken));
      std::u16string_view units = Buffered().substr(0, most);
      if (swap_) {
        swapped_.resize(most);
        for (size_t i = 0; i < most; ++i)
          swapped_[i] = Unit(units[i]);
        units = swapped_;
      }
      size_t run = 0;
      out.Advance(WideRunAsAnsi(units, out.Next(), run));
      if (run > 0) {
        taken += run;
        Skip(run);
        continue;
      }
    }
    char16_t unit = Unit(Peek());
    if (IsLineEnd(unit)) {
      if (taken + 1 > (one_line ? max_units + 1 : max_units)) break;
      Get();
      if (unit == '\r' && !AtEnd() && Unit(Peek()) == '\n') Get();
      ++taken;
      if (gathering) {
        wide_ += u'\n';
      } else {
        out.Put('\n');
      }
      if (one_line) break;
      continue;
    }
    bool high_surrogate = unit >= 0xD800 && unit <= 0xDBFF;
    if (taken + (high_surrogate ? 2 : 1) > max_units) break;
    gathering = gathering || is_surrogate(unit);
    wide_ += unit;
    ++taken;
    Get();
    if (high_surrogate && !AtEnd()) {
      char16_t low = Unit(Peek());
      if (low >= 0xDC00 && low <= 0xDFFF) {
        wide_ += low;
        ++taken;
        Get();
      }
    }
  }
  if (!wide_.empty()) {
    text_.clear();
    AppendWideAsAnsi(wide_, text_);
    out.Put(std::string_view(text_).substr(0, out.Room()));
  }
  return out.Finish();
}

}  // namespace vklib
