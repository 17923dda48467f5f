#include <windows.h>

#include <utility>

#include "bridge/wine_linux_child.h"
#include "vklib/file.h"
#include "vklib/process.h"
#include "vklib/unique_handle_win32.h"

namespace vklib {

struct Process::State {
  UniqueHandle thread;
  UniqueHandle process;
  UniqueHandle input_write;
  UniqueHandle output_read;
  UniqueHandle job;
  DWORD process_id = 0;
  DWORD thread_id = 0;
  int32_t last_exit_code = 0;  // what ExitCode gives once the handles are closed
  // Under Wine, the Linux programs, and whether the child is one of them.
  std::unique_ptr<WineLinuxChild> linux_child;
  bool linux_run = false;
};

namespace {

// A pipe whose one end, `kept`, belongs to us alone (not inheritable) and whose other end is
// for the child. `parent_reads` tells which end is ours.
bool CreateChildPipe(bool parent_reads, UniqueHandle& kept, UniqueHandle& child_end) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  // A pipe of the default size (4 KB) holds a fast child up between two reads.
  if (!CreatePipe(&read_end, &write_end, &attributes, 65536)) return false;
  UniqueHandle ours(parent_reads ? read_end : write_end);
  UniqueHandle childs(parent_reads ? write_end : read_end);
  HANDLE self = GetCurrentProcess();
  HANDLE duplicate = nullptr;
  if (!DuplicateHandle(self, ours.get(), self, &duplicate, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    return false;
  }
  kept.reset(duplicate);
  child_end = std::move(childs);
  return true;
}

}  // namespace

Process::Process() : state_(std::make_unique<State>()) {}

Process::~Process() {
  if (!KeepOnDestroy) Close();
}

bool Process::IsEnded() {
  if (state_->linux_run) return state_->linux_child->IsEnded();
  if (!state_->process) return true;
  DWORD result = WaitForSingleObject(state_->process.get(), 0);
  return result != WAIT_TIMEOUT && result != WAIT_ABANDONED;
}

bool Process::Start(const ProcessParam& param) {
  start_error_ = {};
  if (!IsEnded()) return false;
  Close();
  // Under Wine, a program that is not a Windows one may be the Linux system's.
  state_->linux_run = WineLinuxChild::Runs(param);
  if (state_->linux_run) {
    if (!state_->linux_child) state_->linux_child = std::make_unique<WineLinuxChild>();
    state_->linux_run = state_->linux_child->Start(param);
    if (!state_->linux_run) start_error_ = LastSystemError();
    return state_->linux_run;
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  UniqueHandle output_write;
  UniqueHandle input_read;
  auto fail = [&] {
    start_error_ = LastSystemError();  // read before any handle is closed
    state_->output_read.reset();
    state_->input_write.reset();
    return false;
  };

  if (param.RedirectOutput || param.RedirectError) {
    if (!CreateChildPipe(true, state_->output_read, output_write)) return fail();
    if (param.RedirectOutput) startup.hStdOutput = output_write.get();
    if (param.RedirectError) startup.hStdError = output_write.get();
  }
  if (param.RedirectInput) {
    if (!CreateChildPipe(false, state_->input_write, input_read)) return fail();
    startup.hStdInput = input_read.get();
  }
  if (param.RedirectOutput || param.RedirectError || param.RedirectInput) {
    startup.dwFlags |= STARTF_USESTDHANDLES;
  }
  if (!param.DefaultShow) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(param.ShowMode);
  }

  std::string directory = param.Directory;
  if (directory.empty()) {
    char buffer[4096];
    DWORD length = GetCurrentDirectoryA(4095, buffer);
    directory.assign(buffer, length < 4095 ? length : 0);
  }
  std::string command_line = param.CommandLine;
  PROCESS_INFORMATION info{};
  // Suspended until it is in the job, so that nothing it starts escapes the job.
  BOOL started =
      CreateProcessA(param.Program.empty() ? nullptr : param.Program.c_str(), command_line.data(),
                     nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                     directory.empty() ? nullptr : directory.c_str(), &startup, &info);
  // The child has its own copies of its ends now.
  output_write.reset();
  input_read.reset();
  if (!started) return fail();

  state_->job.reset(CreateJobObjectA(nullptr, nullptr));
  if (state_->job && !AssignProcessToJobObject(state_->job.get(), info.hProcess)) {
    state_->job.reset();
  }
  ResumeThread(info.hThread);
  state_->process.reset(info.hProcess);
  state_->thread.reset(info.hThread);
  state_->process_id = info.dwProcessId;
  state_->thread_id = info.dwThreadId;
  return true;
}

size_t Process::Read(char* buffer, size_t size) {
  if (state_->linux_run) return state_->linux_child->Read(buffer, size);
  DWORD available = 0;
  if (!state_->output_read ||
      !PeekNamedPipe(state_->output_read.get(), nullptr, 0, nullptr, &available, nullptr) ||
      available == 0) {
    return 0;
  }
  DWORD wanted = static_cast<DWORD>(available < size ? available : size);
  DWORD read = 0;
  if (!ReadFile(state_->output_read.get(), buffer, wanted, &read, nullptr)) return 0;
  return read;
}

size_t Process::Write(const char* data, size_t size) {
  if (state_->linux_run) return state_->linux_child->Write(data, size);
  if (IsEnded() || !state_->input_write) return 0;
  DWORD written = 0;
  if (!WriteFile(state_->input_write.get(), data, static_cast<DWORD>(size), &written, nullptr))
    return 0;
  return written;
}

void Process::CloseInput() {
  if (state_->linux_run) return state_->linux_child->CloseInput();
  state_->input_write.reset();
}

void Process::Close() {
  if (state_->linux_run) return state_->linux_child->Close();
  if (state_->process) {
    if (!IsEnded()) {
      if (!state_->job || !TerminateJobObject(state_->job.get(), static_cast<UINT>(-1))) {
        TerminateProcess(state_->process.get(), static_cast<UINT>(-1));
      }
      WaitForSingleObject(state_->process.get(), 5000);
    }
    state_->last_exit_code = ExitCode();
    state_->process.reset();
    state_->thread.reset();
    state_->process_id = 0;
    state_->thread_id = 0;
  }
  state_->job.reset();
  state_->input_write.reset();
  state_->output_read.reset();
}

int32_t Process::ExitCode() {
  if (state_->linux_run) return state_->linux_child->ExitCode();
  if (!state_->process) return state_->last_exit_code;
  DWORD code = 0;
  if (!GetExitCodeProcess(state_->process.get(), &code)) return -1;
  return static_cast<int32_t>(code);
}

void Process::WaitForActivity(int milliseconds) {
  if (state_->linux_run) return state_->linux_child->WaitForActivity(milliseconds);
  if (!state_->process) return;
  // An anonymous pipe cannot be waited on: wake at the child's end or after the time-out.
  WaitForSingleObject(state_->process.get(), static_cast<DWORD>(milliseconds));
}

void* Process::WaitHandle() const {
  if (state_->linux_run) return state_->linux_child->WaitHandle();
  return state_->process.get();
}

bool ProgramOnPath(const std::string& name) {
  const std::string program = name + kExecutableSuffix;
  for (const std::string& directory : SplitPathList(EnvironmentVariable("PATH"))) {
    if (!directory.empty() && FileExists(directory + kPathSeparator + program)) return true;
  }
  return WineLinuxChild::ProgramExists(name);
}

}  // namespace vklib
