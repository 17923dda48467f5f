#include "bridge/wine_linux_child.h"

#include "bridge/bridge_text.h"
#include "bridge/wine_bridge_session.h"
#include "bridge/wine_unix.h"
#include "vklib/codepage.h"
#include "vklib/command_line.h"
#include "vklib/file.h"
#include "vklib/process.h"
#include "vklib/unique_handle_win32.h"

namespace {

// How long a tool that is told to stop may take to be gone.
constexpr DWORD kStopMilliseconds = 5000;
// The most converted output held for Read: what a tool writes faster than the window takes it
// waits in the session, then in the bridge, then in the tool.
constexpr size_t kMostConverted = 65536;

// The program and arguments of a command line, cut as Windows programs cut theirs; UTF-8.
std::vector<std::string> Arguments(const vklib::ProcessParam& param) {
  std::vector<std::string> arguments =
      vklib::SplitCommandLine(vklib::AnsiToUtf8(param.CommandLine));
  if (!param.Program.empty()) {
    if (arguments.empty()) arguments.emplace_back();
    arguments[0] = vklib::AnsiToUtf8(param.Program);
  }
  return arguments;
}

// The program and arguments as the Linux program gets them (UTF-8).
std::vector<std::string> LinuxArguments(const vklib::ProcessParam& param) {
  std::vector<std::string> arguments = Arguments(param);
  if (arguments.empty()) return arguments;
  arguments[0] = LinuxProgram(arguments[0]);
  for (size_t i = 1; i < arguments.size(); ++i)
    arguments[i] = UnixArgument(arguments[i]);
  return arguments;
}

// The Unix path (UTF-8) of the directory a program starts in.
std::string UnixDirectory(const vklib::ProcessParam& param) {
  return UnixPath(vklib::kCodePageAnsi,
                  param.Directory.empty() ? vklib::FullPath(".") : param.Directory);
}

// Whether the Linux system has this program (UTF-8), as the bridge finds one: a path as it is,
// a name on the PATH.
bool FoundOnLinux(UnixSpawn spawn, std::string program) {
  std::string bridge = spawn != nullptr ? WineBridgeSession::Program() : std::string();
  if (bridge.empty()) return false;
  std::string find = "--find";
  char* argv[] = {bridge.data(), find.data(), program.data(), nullptr};
  return spawn(argv, 1) == 0;
}

// Whether a program name is the Linux system's: Windows' search finds nothing of that name (the
// Linux PATH may hold it), or finds a Linux program named by its path (an ELF file or a script).
// A Windows program ("MZ"), a batch file, and any other file are Windows' to start or refuse.
bool IsLinuxProgram(const std::string& program) {
  std::u16string wide;
  vklib::MultiByteToWide(vklib::kCodePageUtf8, program, wide);
  wchar_t found[MAX_PATH];
  const DWORD length = SearchPathW(nullptr, std::wstring(wide.begin(), wide.end()).c_str(), L".exe",
                                   MAX_PATH, found, nullptr);
  if (length == 0 || length >= MAX_PATH) return true;
  const wchar_t* extension = wcsrchr(found, L'.');
  if (extension != nullptr &&
      (_wcsicmp(extension, L".bat") == 0 || _wcsicmp(extension, L".cmd") == 0)) {
    return false;
  }
  vklib::UniqueHandle file = vklib::UniqueHandle(
      CreateFileW(found, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  char magic[4] = {};
  DWORD read = 0;
  if (!file || !ReadFile(file.get(), magic, sizeof magic, &read, nullptr)) return false;
  const std::string start(magic, read);
  return start ==
             "\x7f"
             "ELF" ||
         start.compare(0, 2, "#!") == 0;
}

}  // namespace

WineLinuxChild::WineLinuxChild() = default;
WineLinuxChild::~WineLinuxChild() = default;

bool WineLinuxChild::Runs(const vklib::ProcessParam& param) {
  if (UnixSpawnFunction() == nullptr) return false;
  const std::vector<std::string> arguments = Arguments(param);
  return !arguments.empty() && IsLinuxProgram(arguments[0]);
}

bool WineLinuxChild::ProgramExists(const std::string& name) {
  return FoundOnLinux(UnixSpawnFunction(), vklib::AnsiToUtf8(name));
}

bool WineLinuxChild::Launches(const vklib::ProcessParam& param) {
  return Runs(param) && FoundOnLinux(UnixSpawnFunction(), LinuxArguments(param)[0]);
}

bool WineLinuxChild::Launch(const vklib::ProcessParam& param) {
  // The shell below would miss the program only after we stopped listening: it is looked for
  // first.
  if (!Launches(param)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  UnixSpawn spawn = UnixSpawnFunction();
  std::vector<std::string> arguments = LinuxArguments(param);
  // Wine's spawn leaves the Linux program in the directory Wine was started in.
  std::string shell = "/bin/sh", dash_c = "-c", script = "cd \"$0\" && exec \"$@\"";
  std::string directory = UnixDirectory(param);
  std::vector<char*> argv = {shell.data(), dash_c.data(), script.data(), directory.data()};
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  // Not waited for: Wine starts it in a process of its own that outlives ours.
  if (spawn(argv.data(), 0) != 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);  // no process to be had: the shell is always there
    return false;
  }
  return true;
}

bool WineLinuxChild::Start(const vklib::ProcessParam& param) {
  DWORD error = 0;
  const bool started = Start(param, error);
  if (!started) SetLastError(error);
  return started;
}

bool WineLinuxChild::Start(const vklib::ProcessParam& param, DWORD& error) {
  error = ERROR_FILE_NOT_FOUND;
  const std::vector<std::string> arguments = LinuxArguments(param);
  if (arguments.empty()) return false;
  std::string command_line = vklib::QuoteArgument(vklib::Utf8ToAnsi(arguments[0]));
  for (size_t i = 1; i < arguments.size(); ++i)
    command_line += " " + vklib::QuoteArgument(vklib::Utf8ToAnsi(arguments[i]));
  const std::string unix_directory = vklib::Utf8ToAnsi(UnixDirectory(param));

  if (session_ && session_->Lost()) session_.reset();
  if (!session_) session_ = WineBridgeSession::Open(error);
  if (!session_) return false;
  path_query_ = arguments[0] == "kpsewhich" && IsPathQuery(arguments);
  from_tool_ = Utf8ToShiftJis();
  to_tool_ = ShiftJisToUtf8();
  search_path_.clear();
  converted_.clear();
  collected_all_ = false;
  const int redirects = (param.RedirectInput ? bridge::kRedirectInput : 0) |
                        (param.RedirectOutput ? bridge::kRedirectOutput : 0) |
                        (param.RedirectError ? bridge::kRedirectError : 0);
  if (session_->Run(redirects, unix_directory, command_line)) return true;
  collected_all_ = true;
  error = session_->Lost() ? ERROR_PIPE_NOT_CONNECTED : ERROR_FILE_NOT_FOUND;
  return false;
}

void WineLinuxChild::Collect() {
  if (!session_ || collected_all_ || converted_.size() >= kMostConverted) return;
  // The end is asked first: once it is there, so is all the output before it.
  const bool ended = session_->Ended();
  const std::string output = session_->TakeOutput();
  if (path_query_) {
    search_path_ += output;
  } else {
    converted_ += from_tool_.Convert(output);
  }
  if (!ended) return;
  collected_all_ = true;
  converted_ += path_query_ ? WindowsSearchPath(search_path_) : from_tool_.Finish();
  if (session_->LostDuringRun())
    converted_ += "\nLinux 側の pressel2-bridge との接続が切れました．\n";
}

bool WineLinuxChild::IsEnded() {
  return !session_ || session_->Ended();
}

size_t WineLinuxChild::Read(char* buffer, size_t size) {
  Collect();
  const size_t count = converted_.size() < size ? converted_.size() : size;
  converted_.copy(buffer, count);
  converted_.erase(0, count);
  return count;
}

size_t WineLinuxChild::Write(const char* data, size_t size) {
  if (IsEnded()) return 0;
  const std::string utf8 = to_tool_.Convert(std::string_view(data, size));
  if (!utf8.empty()) session_->Send(bridge::FrameType::kInput, utf8);
  return size;
}

void WineLinuxChild::CloseInput() {
  if (IsEnded()) return;
  const std::string rest = to_tool_.Finish();
  if (!rest.empty()) session_->Send(bridge::FrameType::kInput, rest);
  session_->Send(bridge::FrameType::kCloseInput, std::string_view());
}

void WineLinuxChild::Close() {
  if (IsEnded()) return;
  session_->Send(bridge::FrameType::kStop, std::string_view());
  // Output nobody will read must not keep the bridge from the stop, as a full pane would.
  session_->TakeOutput();
  WaitForSingleObject(session_->EndedEvent(), kStopMilliseconds);
  // A bridge that does not stop its tool goes, and its tool with it.
  if (!session_->Ended()) session_.reset();
}

int32_t WineLinuxChild::ExitCode() {
  return session_ ? session_->ExitCode() : -1;
}

void WineLinuxChild::WaitForActivity(int milliseconds) {
  if (!IsEnded()) WaitForSingleObject(session_->EndedEvent(), static_cast<DWORD>(milliseconds));
}

void* WineLinuxChild::WaitHandle() const {
  return session_ ? session_->EndedEvent() : nullptr;
}
