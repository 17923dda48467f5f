#include "bridge/private_endpoint_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string InputPath(const PrivateEndpoint& endpoint) {
  return endpoint.directory + "/input";
}
std::string OutputPath(const PrivateEndpoint& endpoint) {
  return endpoint.directory + "/output";
}

std::string Failure(const char* what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

void NoteAlarm(int) {}

}  // namespace

bool MakeEndpoint(const std::string& directory, PrivateEndpoint& endpoint, std::string& error) {
  // mkdir never widens the mode, and fails on anything already there (a link of someone else's).
  if (mkdir(directory.c_str(), 0700) != 0) {
    error = Failure("cannot make", directory);
    return false;
  }
  endpoint.directory = directory;
  for (const std::string& fifo : {InputPath(endpoint), OutputPath(endpoint)}) {
    if (mkfifo(fifo.c_str(), 0600) != 0) {
      error = Failure("cannot make", fifo);
      RemoveEndpoint(endpoint);
      return false;
    }
  }
  // Neither open waits for a partner: a reader with O_NONBLOCK, and O_RDWR, never do.
  endpoint.held_input.Reset(open(InputPath(endpoint).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  endpoint.held_output.Reset(open(OutputPath(endpoint).c_str(), O_RDWR | O_CLOEXEC));
  if (!endpoint.held_input || !endpoint.held_output) {
    error = Failure("cannot open", directory);
    RemoveEndpoint(endpoint);
    return false;
  }
  return true;
}

bool MeetWindow(PrivateEndpoint& endpoint, unsigned seconds, UniqueFd& from_window,
                UniqueFd& to_window, std::string& error) {
  // A reader's open waits for a writer: the window's. The alarm cuts the wait short.
  struct sigaction alarm_action {};
  alarm_action.sa_handler = NoteAlarm;
  sigaction(SIGALRM, &alarm_action, nullptr);
  alarm(seconds);
  from_window.Reset(open(InputPath(endpoint).c_str(), O_RDONLY | O_CLOEXEC));
  if (!from_window) {
    error = errno == EINTR ? "nobody came to " + endpoint.directory
                           : Failure("cannot open", InputPath(endpoint));
  }
  alarm(0);
  // The window opened "output" before "input", so it reads there by now.
  if (from_window) {
    to_window.Reset(open(OutputPath(endpoint).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (to_window) {
      fcntl(to_window.Get(), F_SETFL, fcntl(to_window.Get(), F_GETFL) & ~O_NONBLOCK);
    } else {
      error = Failure("cannot open", OutputPath(endpoint));
    }
  }
  endpoint.held_input.Reset();
  endpoint.held_output.Reset();
  RemoveEndpoint(endpoint);
  return from_window && to_window;
}

void RemoveEndpoint(const PrivateEndpoint& endpoint) {
  unlink(InputPath(endpoint).c_str());
  unlink(OutputPath(endpoint).c_str());
  rmdir(endpoint.directory.c_str());
}
