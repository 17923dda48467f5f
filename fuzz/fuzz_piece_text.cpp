// The bridge's conversions of a stream in pieces, both ways: cut anywhere, the stream gives the
// same text as whole, and nothing is left behind at its end.
// Input: a byte of piece sizes' seed, then the stream.
#include <string>
#include <string_view>

#include "bridge/piece_text.h"

namespace {

template <typename Converter>
void SameInPieces(std::string_view stream, unsigned seed) {
  Converter whole_converter;
  std::string whole = whole_converter.Convert(stream);
  whole += whole_converter.Finish();
  Converter piece_converter;
  std::string pieces;
  unsigned state = seed * 2654435761u + 1;
  for (size_t at = 0; at < stream.size();) {
    state = state * 1103515245u + 12345u;
    size_t piece = 1 + (state >> 16) % 5;
    pieces += piece_converter.Convert(stream.substr(at, piece));
    at += piece;
  }
  pieces += piece_converter.Finish();
  if (pieces != whole) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
  SameInPieces<Utf8ToShiftJis>(stream, data[0]);
  SameInPieces<ShiftJisToUtf8>(stream, data[0]);
  return 0;
}
