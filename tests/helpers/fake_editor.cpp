// An editor for the tests: writes each of its arguments on a line of "editor-arguments.txt" in
// its working directory, and ends. The file appears whole: it is written under another name
// first.
#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
  {
    std::ofstream out("editor-arguments.tmp", std::ios::binary);
    for (int i = 1; i < argc; ++i)
      out << argv[i] << "\n";
  }
  return std::rename("editor-arguments.tmp", "editor-arguments.txt") == 0 ? 0 : 1;
}
