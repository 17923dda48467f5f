// The class-line test and the two extractions, on lines as the reader hands them out (at most
// 4094 bytes).
#include <string_view>

#include "texsource/document_class.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size < 4094 ? size : 4094);
  if (IsDocumentClassLine(line)) {
    ClassInfo info = ExtractClassInfo(line);
    if (info.options.size() > line.size() || info.name.size() > line.size()) __builtin_trap();
  }
  return 0;
}
