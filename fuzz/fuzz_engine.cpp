// The engine a document names, from a parent and an opened file whose contents come from the
// input (split at "\n\x01\n"): whatever the sources hold, the program named is one of the
// engines, and the preamble's parts come from the text.
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "texsource/engine.h"
#include "texsource/preamble.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string directory = FuzzDirectory();
  const std::string parent = directory + "/main.tex", opened = directory + "/chap.tex";
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find("\n\x01\n");
  const std::string_view first = input.substr(0, split);
  const std::string_view second =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 3);
  WriteWholeFile(parent, reinterpret_cast<const uint8_t*>(first.data()), first.size());
  WriteWholeFile(opened, reinterpret_cast<const uint8_t*>(second.data()), second.size());

  const DocumentEngine engine = EngineNamedBy(parent, opened);
  if (!engine.program.empty() && EngineOf(engine.program) == nullptr) __builtin_trap();
  const Preamble preamble = ReadPreamble(parent);
  for (const std::string& option : preamble.class_options) {
    if (option.empty()) __builtin_trap();
  }
  LegacyEncodingOf(parent);
  return 0;
}
