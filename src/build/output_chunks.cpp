#include "build/output_chunks.h"

#include "vklib/codepage.h"

std::string ChunkConverter::Convert(const char* data, size_t size) {
  std::string chunk;
  if (held_) chunk += held_byte_;
  chunk.append(data, size);
  held_ = false;
  if (chunk.empty()) return std::string();

  std::string text;
  text.reserve(chunk.size());
  const size_t last = chunk.size() - 1;
  size_t i = 0;
  while (i < last) {
    unsigned char byte = static_cast<unsigned char>(chunk[i]);
    const char next = chunk[i + 1];
    if (vklib::IsLeadByte(byte) && next != '\r' && next != '\n') {
      text.append(chunk, i, 2);
      i += 2;
    } else if (byte == '\r') {
      text += '\n';
      i += chunk[i + 1] == '\n' ? 2 : 1;
    } else {
      text += chunk[i++];
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
