// One program that plays every tool of the TeX chain for the build tests: copied under the
// name of a tool (platex, pbibtex, mendex, dvipdfmx, ...), it appends "NAME ARGS" to the log
// (the file named by FAKE_TOOL_LOG when it is set and not empty, else fake-tools.log in its
// working directory) and then does what its script (the file named by FAKE_TOOL_SCRIPT, else
// fake-tools.script in its working directory) says for its Nth run. A script line:
//   NAME N: ACTION ARGUMENT...   (N a number, or * for every run)
// with the actions
//   write FILE TEXT    create FILE holding TEXT (C escapes: \n \r \t \\ \xHH)
//   delete FILE        remove FILE
//   out TEXT           write TEXT to standard output
//   err TEXT           write TEXT to standard error
//   sleep MS           pause
//   prompt             write "? " and echo one line read from standard input as "answer:LINE"
//   exit CODE          end with CODE
// Without a matching line it ends with 0.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char c = text[++i];
    if (c == 'n')
      out += '\n';
    else if (c == 'r')
      out += '\r';
    else if (c == 't')
      out += '\t';
    else if (c == 'x' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

std::string ToolName(const char* argv0) {
  std::string name = argv0;
  size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0)
    name.resize(name.size() - 4);
  return name;
}

}  // namespace

#ifdef _WIN32
// The bytes of a script reach the pipe as they stand (a text-mode stream would add CRs).
void SetBinaryOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
}
#else
void SetBinaryOutput() {}
#endif

int main(int argc, char** argv) {
  SetBinaryOutput();
  const std::string name = ToolName(argv[0]);
  const char* log_variable = std::getenv("FAKE_TOOL_LOG");
  const std::string log_path =
      log_variable != nullptr && *log_variable != '\0' ? log_variable : "fake-tools.log";
  std::string line = name;
  for (int i = 1; i < argc; ++i)
    line += std::string(" ") + argv[i];
  {
    std::ofstream log(log_path, std::ios::app | std::ios::binary);
    log << line << "\n";
  }
  int run = 0;
  {
    std::ifstream log(log_path, std::ios::binary);
    std::string logged;
    while (std::getline(log, logged)) {
      if (logged == name || logged.compare(0, name.size() + 1, name + " ") == 0) ++run;
    }
  }

  const char* script_variable = std::getenv("FAKE_TOOL_SCRIPT");
  std::ifstream script(script_variable != nullptr ? script_variable : "fake-tools.script",
                       std::ios::binary);
  std::string step;
  while (std::getline(script, step)) {
    if (!step.empty() && step.back() == '\r') step.pop_back();
    std::istringstream words(step);
    std::string tool, when, action;
    words >> tool >> when >> action;
    if (tool != name || (when != "*:" && when != std::to_string(run) + ":")) continue;
    std::string rest;
    std::getline(words, rest);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    if (action == "write") {
      size_t blank = rest.find(' ');
      std::ofstream file(rest.substr(0, blank), std::ios::binary);
      if (blank != std::string::npos) file << Unescape(rest.substr(blank + 1));
    } else if (action == "delete") {
      std::remove(rest.c_str());
    } else if (action == "out") {
      std::fputs(Unescape(rest).c_str(), stdout);
      std::fflush(stdout);
    } else if (action == "err") {
      std::fputs(Unescape(rest).c_str(), stderr);
      std::fflush(stderr);
    } else if (action == "sleep") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(rest.c_str())));
    } else if (action == "prompt") {
      std::fputs("? ", stdout);
      std::fflush(stdout);
      std::string answer;
      int c;
      while ((c = std::getchar()) != EOF && c != '\n')
        answer += static_cast<char>(c);
      std::printf("answer:%s\n", answer.c_str());
      std::fflush(stdout);
    } else if (action == "exit") {
      return std::atoi(rest.c_str());
    }
  }
  return 0;
}
