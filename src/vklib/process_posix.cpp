#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "vklib/codepage.h"
#include "vklib/command_line.h"
#include "vklib/file.h"
#include "vklib/process.h"
#include "vklib/program_search_posix.h"
#include "vklib/spawn_posix.h"

namespace vklib {

struct Process::State {
  pid_t pid = 0;
  int exit_watch = -1;  // a pidfd that turns readable when the child ends (Linux 5.3 and later)
  bool reaped = false;
  int input_write = -1;
  int output_read = -1;
  bool output_closed = false;  // every writer of the output pipe has closed it
  int32_t exit_code = 0;
};

namespace {

void CloseAndReset(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

int32_t ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

void SleepMilliseconds(int milliseconds) {
  timespec duration{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  nanosleep(&duration, nullptr);
}

}  // namespace

Process::Process() : state_(std::make_unique<State>()) {}

Process::~Process() {
  if (!KeepOnDestroy) Close();
}

bool Process::IsEnded() {
  if (state_->pid == 0 || state_->reaped) return true;
  int status = 0;
  pid_t result = waitpid(state_->pid, &status, WNOHANG);
  if (result == 0) return false;
  state_->reaped = true;
  state_->exit_code = result == state_->pid ? ExitCodeOf(status) : -1;
  return true;
}

bool Process::Start(const ProcessParam& param) {
  start_error_ = {};
  if (!IsEnded()) return false;
  Close();

  // The program is started directly, with the arguments cut as a Windows program cuts them:
  // no shell ever reads a file name.
  std::vector<std::string> arguments = SplitCommandLine(AnsiToUtf8(param.CommandLine));
  std::string directory = AnsiToUtf8(param.Directory);
  std::string program = param.Program.empty()
                            ? (arguments.empty() ? std::string() : arguments.front())
                            : AnsiToUtf8(param.Program);
  // A working directory that is not there is told apart from a program that is not there.
  if (!param.Directory.empty() && !IsDirectory(param.Directory)) {
    start_error_ = SystemErrorOf(ENOTDIR);
    return false;
  }
  std::string program_path = posix::FindProgram(program, directory);
  if (program_path.empty()) {
    start_error_ = LastSystemError();
    return false;
  }

  int output_write = -1;
  int input_read = -1;
  auto fail = [&](int error) {
    start_error_ = SystemErrorOf(error);
    CloseAndReset(output_write);
    CloseAndReset(input_read);
    CloseAndReset(state_->output_read);
    CloseAndReset(state_->input_write);
    return false;
  };
  posix::ChildSetup setup;
  setup.directory = directory;
  if (param.RedirectOutput || param.RedirectError) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return fail(errno);
    state_->output_read = fds[0];
    output_write = fds[1];
    fcntl(state_->output_read, F_SETFL, fcntl(state_->output_read, F_GETFL) | O_NONBLOCK);
    if (param.RedirectOutput) setup.output = output_write;
    if (param.RedirectError) setup.error = output_write;
  }
  if (param.RedirectInput) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return fail(errno);
    input_read = fds[0];
    state_->input_write = fds[1];
    setup.input = input_read;
  }

  std::vector<char*> argv;
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  int result = posix::SpawnTied(program_path, argv.data(), setup, pid);
  CloseAndReset(output_write);
  CloseAndReset(input_read);
  if (result != 0) return fail(result);
  state_->pid = pid;
  state_->exit_watch = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  state_->output_closed = false;
  state_->reaped = false;
  state_->exit_code = kStillActive;
  return true;
}

size_t Process::Read(char* buffer, size_t size) {
  if (state_->output_read < 0) return 0;
  ssize_t count = read(state_->output_read, buffer, size);
  return count > 0 ? static_cast<size_t>(count) : 0;
}

size_t Process::Write(const char* data, size_t size) {
  if (IsEnded() || state_->input_write < 0) return 0;
  // A child that has closed its standard input must not bring us down with SIGPIPE.
  sigset_t pipe_signal, previous;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe_signal, &previous);
  ssize_t count = write(state_->input_write, data, size);
  if (count < 0 && errno == EPIPE) {
    timespec no_wait{0, 0};
    sigtimedwait(&pipe_signal, nullptr, &no_wait);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return count > 0 ? static_cast<size_t>(count) : 0;
}

void Process::CloseInput() {
  CloseAndReset(state_->input_write);
}

void Process::Close() {
  if (state_->pid != 0 && !IsEnded()) {
    kill(-state_->pid, SIGKILL);
    int status = 0;
    waitpid(state_->pid, &status, 0);
    state_->reaped = true;
    state_->exit_code = -1;
  }
  state_->pid = 0;
  CloseAndReset(state_->exit_watch);
  CloseAndReset(state_->input_write);
  CloseAndReset(state_->output_read);
}

int32_t Process::ExitCode() {
  IsEnded();
  return state_->exit_code;
}

void Process::WaitForActivity(int milliseconds) {
  if (state_->pid == 0 || IsEnded()) return;
  // Wake for output, or at the child's end where the system can tell it (a pidfd). A closed
  // pipe is always "ready", so it leaves the wait once it has closed.
  pollfd watched[2];
  nfds_t count = 0;
  bool watch_output = state_->output_read >= 0 && !state_->output_closed;
  if (watch_output) watched[count++] = {state_->output_read, POLLIN, 0};
  if (state_->exit_watch >= 0) watched[count++] = {state_->exit_watch, POLLIN, 0};
  if (count == 0) {
    for (int waited = 0; waited < milliseconds && !IsEnded(); ++waited)
      SleepMilliseconds(1);
    return;
  }
  if (poll(watched, count, milliseconds) > 0 && watch_output &&
      (watched[0].revents & (POLLHUP | POLLERR)) != 0 && (watched[0].revents & POLLIN) == 0) {
    state_->output_closed = true;
  }
}

void* Process::WaitHandle() const {
  return nullptr;
}

bool ProgramOnPath(const std::string& name) {
  return !posix::FindProgram(AnsiToUtf8(name), std::string()).empty();
}

}  // namespace vklib
