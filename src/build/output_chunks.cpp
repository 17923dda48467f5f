#include "build/output_chunks.h"

#include <string_view>

#include "vklib/codepage.h"

std::string ChunkConverter::Convert(const char* data, size_t size) {
  std::string joined;
  std::string_view chunk(data, size);
  if (held_) {
    joined.reserve(size + 1);
    joined += held_byte_;
    joined.append(data, size);
    chunk = joined;
    held_ = false;
  }
  std::string text;
  if (chunk.empty()) return text;
  text.reserve(chunk.size());

  const bool* lead = vklib::LeadByteTable();
  const size_t last = chunk.size() - 1;
  size_t i = 0;
  while (i < last) {
    // Plain bytes and whole double-byte characters go as they are, in one piece.
    size_t run = i;
    while (run < last && chunk[run] != '\r') {
      if (!lead[static_cast<unsigned char>(chunk[run])]) {
        ++run;
      } else if (chunk[run + 1] != '\r' && chunk[run + 1] != '\n') {
        run += 2;
      } else {
        break;
      }
    }
    text.append(chunk.substr(i, run - i));
    i = run;
    if (i >= last) break;
    const char byte = chunk[i];
    const char next = chunk[i + 1];
    if (byte == '\r') {
      text += '\n';
      i += next == '\n' ? 2 : 1;
    } else if (next != '\r' && next != '\n') {
      text.append(chunk.substr(i, 2));
      i += 2;
    } else {
      text += byte;  // a lead byte right before a line end stands alone
      ++i;
    }
  }
  if (i == last) {
    unsigned char byte = static_cast<unsigned char>(chunk[last]);
    if (vklib::IsLeadByte(byte) || byte == '\r') {
      held_ = true;
      held_byte_ = chunk[last];
    } else {
      text += chunk[last];
    }
  }
  return text;
}
