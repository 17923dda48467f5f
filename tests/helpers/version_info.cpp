// Prints what Windows tells about a program file: its version resource (the fixed version and
// the texts Explorer shows in the file's properties) and how many icons it holds.
//   version-info FILE
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <shellapi.h>

namespace {

void PrintText(const std::vector<char>& block, const char* name) {
  std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
  char* text = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) {
    std::printf("%s: %s\n", name, text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: version-info FILE\n", stderr);
    return 2;
  }
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, block.data())) {
    std::fprintf(stderr, "version-info: %s has no version resource\n", argv[1]);
    return 1;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
    std::printf("FixedVersion: %d.%d.%d.%d\n", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
  }
  for (const char* name : {"ProductName", "ProductVersion", "FileVersion", "FileDescription"}) {
    PrintText(block, name);
  }
  std::printf("Icons: %u\n", ExtractIconExA(argv[1], -1, nullptr, nullptr, 0));
  return 0;
}
