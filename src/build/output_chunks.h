#pragma once

#include <cstddef>
#include <string>

// Turns a child's output, read in arbitrary pieces, into text with "\n" line ends. The bytes are
// text in the ANSI code page and are not re-encoded: a CR LF pair, a lone CR and a lone LF each
// become one "\n", and a double-byte character or a CR LF pair cut between two reads is joined,
// by holding its first byte back until the next piece. A line end is never the second byte of a
// character: a lead byte before it stands alone.
class ChunkConverter {
 public:
  // Converts the held-back byte (if any) followed by `size` new bytes.
  std::string Convert(const char* data, size_t size);
  // A byte still held back when the output ends is dropped.
  void Reset() { held_ = false; }

 private:
  bool held_ = false;
  char held_byte_ = 0;
};
