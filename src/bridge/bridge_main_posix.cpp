// pressel2-bridge: lets Pressel2's window, under Wine, run the programs of the Linux system.
// The window starts it once, the first time it runs a program that is not a Windows one:
//   pressel2-bridge DIRECTORY   makes DIRECTORY (which must not exist) with its private endpoint,
//                               and returns at once; a process of its own then waits there for
//                               the window, runs the tools the window asks for, and ends with the
//                               window (tool_server_posix.h)
//   pressel2-bridge --find NAME exits 0 when there is a program NAME (a path, else on the PATH),
//                               else 1
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "bridge/private_endpoint_posix.h"
#include "bridge/tool_server_posix.h"
#include "vklib/program_search_posix.h"

namespace {

// How long the window may take to come to the endpoint once it has one.
constexpr unsigned kMeetSeconds = 10;

int Fail(const std::string& message) {
  std::fprintf(stderr, "pressel2-bridge: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--find") == 0) {
    return vklib::posix::FindProgram(argv[2], std::string()).empty() ? 1 : 0;
  }
  if (argc != 2 || argv[1][0] != '/') {
    std::fputs("usage: pressel2-bridge DIRECTORY | --find NAME\n", stderr);
    return 2;
  }
  // A window that is gone shows as a failed write, not as a signal that ends us first.
  signal(SIGPIPE, SIG_IGN);
  PrivateEndpoint endpoint;
  std::string error;
  if (!MakeEndpoint(argv[1], endpoint, error)) return Fail(error);
  const pid_t server = fork();
  if (server < 0) {
    RemoveEndpoint(endpoint);
    return Fail(std::string("cannot fork: ") + std::strerror(errno));
  }
  // The window, which waits for this exit, may open the endpoint now.
  if (server > 0) _exit(0);
  // Not in the terminal's session: Ctrl+C there is for the window, which ends us as it ends.
  setsid();
  UniqueFd from_window, to_window;
  if (!MeetWindow(endpoint, kMeetSeconds, from_window, to_window, error)) return Fail(error);
  return ServeTools(from_window.Get(), to_window.Get());
}
