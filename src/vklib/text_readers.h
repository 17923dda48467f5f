#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "vklib/file.h"
#include "vklib/text_file.h"

// The readers behind vklib::TextFile, one per kind of encoding.
namespace vklib {

// A reader over a buffered file stream of `Unit`s (bytes or 16-bit units), which it owns.
// Each reader reads a line, or a block across line ends, with one Read of its own.
template <typename Unit>
class FileRead : public READ {
 public:
  explicit FileRead(UniqueFile file) : file_(std::move(file)) { Fill(); }

  size_t ReadLine(char* buffer, size_t size) override { return Read(buffer, size, true); }
  size_t ReadBlock(char* buffer, size_t size) override { return Read(buffer, size, false); }

 protected:
  virtual size_t Read(char* buffer, size_t size, bool one_line) = 0;

  // True once the last unit of the file has been taken.
  bool AtEnd() const { return file_ == nullptr || end_; }
  // The next unit without taking it; 0 at the end.
  Unit Peek() const { return AtEnd() ? Unit() : buffer_[pos_]; }
  // Takes the next unit; 0 at the end. The buffer is refilled as soon as it is used up, so
  // AtEnd holds right after the file's last unit was taken.
  Unit Get() {
    if (AtEnd()) return Unit();
    Unit unit = buffer_[pos_++];
    if (pos_ == count_) Fill();
    return unit;
  }
  // Takes a line end that starts with `first` (already peeked): a CR, or a CR LF pair, or an LF.
  void TakeLineEnd(Unit first) {
    Get();
    if (first == Unit('\r') && !AtEnd() && Peek() == Unit('\n')) Get();
  }
  // The units buffered from the next one on, at least one unless at the end; taken with Skip.
  std::basic_string_view<Unit> Buffered() const {
    return AtEnd() ? std::basic_string_view<Unit>()
                   : std::basic_string_view<Unit>(buffer_ + pos_, count_ - pos_);
  }
  // Takes `count` units of those Buffered gave.
  void Skip(size_t count) {
    pos_ += count;
    if (pos_ == count_) Fill();
  }
  // Back to the first unit of the file.
  void Rewind() {
    if (file_ == nullptr) return;
    std::fseek(file_.get(), 0, SEEK_SET);
    Fill();
  }

 private:
  void Fill() {
    pos_ = 0;
    count_ = file_ != nullptr ? std::fread(buffer_, sizeof(Unit), kUnits, file_.get()) : 0;
    end_ = count_ == 0;
  }

  static constexpr size_t kUnits = 4096;
  UniqueFile file_;
  Unit buffer_[kUnits];
  bool end_ = false;
  size_t pos_ = 0;
  size_t count_ = 0;
};

// Shift_JIS (the ANSI code page) read as a text-mode stream reads it: CR LF is one LF, a lone CR
// stays. It does the joining itself on a binary stream, so that every platform reads alike (a
// Ctrl-Z is no end of file).
class rDirect : public FileRead<char> {
 public:
  using FileRead::FileRead;

 private:
  size_t Read(char* buffer, size_t size, bool one_line) override;
};

// The ANSI code page byte by byte: CR, LF and CR LF each become one LF.
class rSJIS : public FileRead<char> {
 public:
  using FileRead::FileRead;

 private:
  size_t Read(char* buffer, size_t size, bool one_line) override;
};

// EUC-JP to Shift_JIS by arithmetic.
class rEUC : public FileRead<unsigned char> {
 public:
  using FileRead::FileRead;

 private:
  size_t Read(char* buffer, size_t size, bool one_line) override;
};

// ISO-2022-JP to Shift_JIS by arithmetic; a line end returns to one-byte mode.
class rIsoJP : public FileRead<unsigned char> {
 public:
  using FileRead::FileRead;

 private:
  size_t Read(char* buffer, size_t size, bool one_line) override;
  int mode_ = 0;  // 0: one-byte characters, 2: two-byte JIS X 0208
};

// UTF-8 or UTF-7 through the code page conversions; a UTF-8 byte-order mark is skipped.
class rUTF7_8 : public FileRead<unsigned char> {
 public:
  rUTF7_8(UniqueFile file, unsigned code_page);

 private:
  size_t Read(char* buffer, size_t size, bool one_line) override;
  unsigned code_page_;
  std::string raw_, text_;  // kept between calls, for their capacity
};

// UTF-16 of either byte order; a byte-order mark decides the order and is skipped.
class rUTF16 : public FileRead<char16_t> {
 public:
  rUTF16(UniqueFile file, bool swap);

 private:
  char16_t Unit(char16_t raw) const {
    return swap_ ? static_cast<char16_t>(raw << 8 | raw >> 8) : raw;
  }
  size_t Read(char* buffer, size_t size, bool one_line) override;
  bool swap_;
  std::u16string swapped_, wide_;  // kept between calls, for their capacity
  std::string text_;
};

}  // namespace vklib
