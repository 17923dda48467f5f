// The command-line parser on any text: it ends, tells an error in words when it fails, and the
// arguments it finds, joined by blanks, are found again.
#include <string>

#include "app/arg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Arg arg;
  arg.text.assign(reinterpret_cast<const char*>(data), size);
  if (!arg.Parse()) {
    if (arg.error.empty()) __builtin_trap();
    return 0;
  }
  Arg again;
  for (const std::string& argument : arg.arguments) {
    if (argument.empty() || argument[0] == '-') __builtin_trap();
    if (!again.text.empty()) again.text += ' ';
    again.text += argument;
  }
  if (!again.Parse() || again.arguments != arg.arguments) __builtin_trap();
  return 0;
}
