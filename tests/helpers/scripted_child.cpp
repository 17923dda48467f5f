// A child process that does what its arguments say, in order, for the tests of the process
// runner:
//   out:TEXT    write TEXT to standard output (C escapes: \r \n \t \\ \xHH), flushed at once
//   err:TEXT    the same on standard error
//   flood:N     write N bytes of "0123456789\r\n" lines to standard output
//   flood:N/W   the same with lines W bytes long (CR LF included)
//   sleep:MS    pause
//   echo        read standard input to its end, writing each line back as "got:LINE\n"
//   lines:N     the same for N lines only
//   floodfor:MS write 100-byte lines to standard output without pause for MS milliseconds
//   spawn:FILE  start another copy of ourselves that runs "forever", and write its process id
//               into FILE
//   handoff:STEP  start another copy of ourselves that does STEP with our standard output, and
//               go on without waiting for it (its output outlives us)
//   forever     never end
//   exit:N      end with exit code N
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <spawn.h>
#include <unistd.h>
extern char** environ;
#endif

namespace {

std::string Unescape(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != '\\' || p[1] == '\0') {
      out += *p;
      continue;
    }
    ++p;
    switch (*p) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        char hex[3] = {p[1], p[1] != '\0' ? p[2] : '\0', '\0'};
        out += static_cast<char>(std::strtol(hex, nullptr, 16));
        p += 2;
        break;
      }
      default:
        out += *p;
        break;
    }
  }
  return out;
}

void WriteAll(std::FILE* stream, const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

void EchoLines(long limit) {
  std::string line;
  int c;
  for (long done = 0; limit < 0 || done < limit;) {
    c = std::fgetc(stdin);
    if (c == EOF) {
      if (!line.empty()) WriteAll(stdout, "got:" + line + "\n");  // a last line without its end
      break;
    }
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    WriteAll(stdout, "got:" + line + "\n");
    line.clear();
    ++done;
  }
}

#ifdef _WIN32
void SetBinaryStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

// Starts a copy of ourselves that does one step; with `inherit_output` it writes into our
// standard output. Gives its process id, or -1.
long SpawnCopy(const std::string& step, bool inherit_output) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" " + step;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (inherit_output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  PROCESS_INFORMATION info{};
  // The copy shares our (hidden) console. A console of its own would be served by a process
  // of its own, which Wine sometimes leaves running when the copy is killed.
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, inherit_output, 0, nullptr,
                      nullptr, &startup, &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<long>(info.dwProcessId);
}
#else
void SetBinaryStreams() {}

long SpawnCopy(const std::string& step, bool /*inherit_output: descriptors are inherited*/) {
  char self[4096];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return -1;
  self[length] = '\0';
  std::string argument = step;
  char* argv[] = {self, argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, self, nullptr, nullptr, argv, environ) != 0) return -1;
  return static_cast<long>(pid);
}
#endif

}  // namespace

int main(int argc, char** argv) {
  SetBinaryStreams();
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    const char* colon = std::strchr(argument, ':');
    std::string verb = colon != nullptr ? std::string(argument, colon) : std::string(argument);
    const char* value = colon != nullptr ? colon + 1 : "";
    if (verb == "out") {
      WriteAll(stdout, Unescape(value));
    } else if (verb == "err") {
      WriteAll(stderr, Unescape(value));
    } else if (verb == "flood") {
      long long left = std::atoll(value);
      const char* width = std::strchr(value, '/');
      const std::string line =
          width == nullptr ? std::string("0123456789\r\n")
                           : std::string(std::max(std::atoi(width + 1) - 2, 0), 'x') + "\r\n";
      std::string block;
      while (block.size() < 65536)
        block += line;
      while (left > 0) {
        size_t piece =
            left < static_cast<long long>(block.size()) ? static_cast<size_t>(left) : block.size();
        std::fwrite(block.data(), 1, piece, stdout);
        left -= static_cast<long long>(piece);
      }
      std::fflush(stdout);
    } else if (verb == "floodfor") {
      const std::string line = std::string(98, 'x') + "\r\n";
      std::string block;
      while (block.size() < 65536)
        block += line;
      auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atol(value));
      while (std::chrono::steady_clock::now() < end) {
        if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size()) break;
      }
      std::fflush(stdout);
    } else if (verb == "handoff") {
      SpawnCopy(value, true);
    } else if (verb == "sleep") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(value)));
    } else if (verb == "echo") {
      EchoLines(-1);
    } else if (verb == "lines") {
      EchoLines(std::atol(value));
    } else if (verb == "spawn") {
      long pid = SpawnCopy("forever", false);
      if (std::FILE* file = std::fopen(value, "wb")) {
        std::fprintf(file, "%ld", pid);
        std::fclose(file);
      }
    } else if (verb == "forever") {
      for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
    } else if (verb == "exit") {
      return std::atoi(value);
    } else {
      std::fprintf(stderr, "scripted-child: unknown step %s\n", argument);
      return 99;
    }
  }
  return 0;
}
