#include "vklib/spawn_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace vklib::posix {
namespace {

// Sends the error number of the failed step to the parent, and ends the child.
[[noreturn]] void Fail(int report) {
  const int error = errno;
  [[maybe_unused]] ssize_t written = write(report, &error, sizeof error);
  _exit(127);
}

// The child's side, between fork and exec: system calls only. Success closes `report` by exec
// (it is close-on-exec), which tells the parent that the program runs.
[[noreturn]] void BecomeProgram(const std::string& path, char* const argv[],
                                const ChildSetup& setup, pid_t parent, int report) {
  if (setpgid(0, 0) != 0 || prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) Fail(report);
  // The parent may have died before the request above: nobody waits for this child any more.
  if (getppid() != parent) _exit(127);
  if ((setup.input >= 0 && dup2(setup.input, 0) < 0) ||
      (setup.output >= 0 && dup2(setup.output, 1) < 0) ||
      (setup.error >= 0 && dup2(setup.error, 2) < 0))
    Fail(report);
  if (!setup.directory.empty() && chdir(setup.directory.c_str()) != 0) Fail(report);
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  for (int signal_number = 1; signal_number < NSIG; ++signal_number)
    sigaction(signal_number, &default_action, nullptr);
  sigset_t no_signals;
  sigemptyset(&no_signals);
  sigprocmask(SIG_SETMASK, &no_signals, nullptr);
  execve(path.c_str(), argv, environ);
  Fail(report);
}

}  // namespace

int SpawnTied(const std::string& path, char* const argv[], const ChildSetup& setup, pid_t& pid) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  const pid_t parent = getpid();
  // No handler of ours may run in the child before exec.
  sigset_t all_signals, previous;
  sigfillset(&all_signals);
  pthread_sigmask(SIG_SETMASK, &all_signals, &previous);
  const pid_t child = fork();
  if (child == 0) BecomeProgram(path, argv, setup, parent, report[1]);
  const int fork_error = errno;
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  close(report[1]);
  if (child < 0) {
    close(report[0]);
    return fork_error;
  }
  int child_error = 0;
  ssize_t count;
  do {
    count = read(report[0], &child_error, sizeof child_error);
  } while (count < 0 && errno == EINTR);
  close(report[0]);
  if (count == static_cast<ssize_t>(sizeof child_error)) {
    waitpid(child, nullptr, 0);
    return child_error;
  }
  pid = child;
  return 0;
}

}  // namespace vklib::posix
