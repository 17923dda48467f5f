#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace vklib {

// The encodings a text file can be detected as. A positive number is a Windows code page; a
// negative one a variant of it, or a form with or without byte-order mark.
enum EncodingCode : int32_t {
  kEncodingUnknown = 0,
  kEncodingOtherAnsi = -1,   // the ANSI code page is none of 932, 936, 949, 950
  kEncodingDigitsAtoV = -2,  // every byte is one of "0"-"9", "A"-"V"
  kEncodingUtf16BeMark = -3,
  kEncodingUtf16LeMark = -4,
  kEncodingUtf16Be = -5,  // accepted, never detected
  kEncodingUtf16Le = -6,  // accepted, never detected
  kEncodingUtf32BeMark = -7,
  kEncodingUtf32LeMark = -8,
  kEncodingEucJp = -932,
  kEncodingIso2022Jp = -933,
  kEncodingIso2022Cn = -936,
  kEncodingIso2022Kr = -950,
  kEncodingShiftJis = 932,
  kEncodingUtf7 = 65000,  // accepted, never detected
  kEncodingUtf8 = 65001,
  kEncodingUtf8Mark = -65001,
};

// The dominant line end of a file.
enum LineEndKind : uint32_t { kLineEndCr = 0, kLineEndLf = 1, kLineEndCrLf = 2 };

// Reads a text file line by line. Every reader writes at most `size` bytes into the caller's
// buffer, NUL included, never splits a multi-byte character between two calls, turns each line
// end into one LF, and gives the number of bytes before the NUL (0: nothing was left).
class READ {
 public:
  virtual ~READ() = default;
  // One line, or the next piece of a line that does not fit; the LF comes only with the last
  // piece.
  virtual size_t ReadLine(char* buffer, size_t size) = 0;
  // As much as fits, across line ends.
  virtual size_t ReadBlock(char* buffer, size_t size) = 0;
};

// A text file in any of the encodings the program reads, read as text in the ANSI code page
// (Shift_JIS). Opening guesses the encoding and the line end from the first 16384 bytes.
class TextFile {
 public:
  // How much of a file Open reads to guess its encoding.
  static constexpr size_t kSampleSize = 16384;

  TextFile() = default;
  ~TextFile() { Close(); }
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // False when the name is empty, the object is open already, or the file cannot be read.
  bool Open(const std::string& name);
  void Close();

  // Guesses encoding and line end from a sample of the file's first bytes.
  void Detect(const unsigned char* sample, size_t size);
  // The UTF-8 test of Detect: whether a whole sample is well-formed UTF-8 (a sequence cut off by
  // its end still counts as well-formed).
  static bool IsUtf8Sample(const unsigned char* sample, size_t size);

  int32_t Code() const { return code_; }
  uint32_t LineEnd() const { return line_end_; }
  // Whether the reader of the detected encoding gives ASCII as it stands in the file, with
  // nothing put between two such bytes or taken from between them (Shift_JIS read byte by byte,
  // and UTF-8 where no other character becomes ASCII, though a byte that is no character reads
  // as "?"): ASCII text without "?" then shows in the file's bytes as it does in what is read.
  bool KeepsAsciiRuns() const;
  // KeepsAsciiRuns after Detect over this sample, told at once where a few bytes settle it:
  // Japanese text in Shift_JIS or UTF-8 soon holds a byte that EUC-JP never has, and ASCII
  // without ESC is ASCII. Other samples are detected in full.
  static bool SampleKeepsAsciiRuns(const unsigned char* sample, size_t size);
  // The open reader, or null.
  READ* Reader() const { return reader_.get(); }

  // Shorthands for the open reader's operations; 0 when the file is not open.
  size_t ReadLine(char* buffer, size_t size) {
    return reader_ ? reader_->ReadLine(buffer, size) : 0;
  }
  size_t ReadBlock(char* buffer, size_t size) {
    return reader_ ? reader_->ReadBlock(buffer, size) : 0;
  }

 private:
  int32_t code_ = kEncodingUnknown;
  uint32_t line_end_ = kLineEndCrLf;
  std::unique_ptr<READ> reader_;
};

}  // namespace vklib
