// The conversion of a child's output, read in pieces of any sizes: the text must be the same as
// when the whole output comes at once.
// Input: a byte of piece sizes' seed, then the output.
#include <string>

#include "build/output_chunks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const unsigned seed = data[0];
  const char* output = reinterpret_cast<const char*>(data + 1);
  const size_t length = size - 1;

  ChunkConverter whole_converter;
  const std::string whole = whole_converter.Convert(output, length);

  ChunkConverter piece_converter;
  std::string pieces;
  unsigned state = seed * 2654435761u + 1;
  for (size_t at = 0; at < length;) {
    state = state * 1103515245u + 12345u;
    size_t piece = 1 + (state >> 16) % 7;
    if (piece > length - at) piece = length - at;
    pieces += piece_converter.Convert(output + at, piece);
    at += piece;
  }
  if (pieces != whole) __builtin_trap();
  return 0;
}
