// rand_s, the system's random generator (RtlGenRandom), is declared only on request.
#define _CRT_RAND_S
#include "bridge/wine_bridge_session.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bridge/wine_unix.h"
#include "vklib/process.h"

namespace {

// The most output held for the window before the bridge is kept waiting.
constexpr size_t kMostHeld = 4 << 20;
// How long the bridge may take to answer a start.
constexpr auto kReplyTime = std::chrono::seconds(10);

// `words` random words of 32 bits from the system's generator, in hexadecimal; "" when it fails.
std::string RandomHex(int words) {
  std::string hex;
  for (int i = 0; i < words; ++i) {
    unsigned int word = 0;
    if (rand_s(&word) != 0) return std::string();
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", word);
    hex += digits;
  }
  return hex;
}

// Where the endpoint's directory goes: the user's runtime directory, which no other user can
// enter, else /tmp.
std::string EndpointParent() {
  char runtime[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA("XDG_RUNTIME_DIR", runtime, MAX_PATH);
  if (length > 0 && length < MAX_PATH && runtime[0] == '/') {
    DWORD attributes = GetFileAttributesW(DosPath(runtime).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return runtime;
    }
  }
  return "/tmp";
}

// Opening a FIFO for reading alone, or for writing alone, waits for the other side, and Wine
// opens files in its server, where such a wait would hold up every Windows program of the prefix.
// Opening for both never waits: the FIFO we write is opened so (our reading end there is never
// read), and the one we read is opened so first, so that opening it for reading alone finds its
// partner in ourselves. Only a reader alone sees the end of the stream when the bridge goes.
vklib::UniqueHandle OpenFifo(const std::wstring& path) {
  return vklib::UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         0, nullptr));
}

vklib::UniqueHandle OpenFifoToRead(const std::wstring& path) {
  vklib::UniqueHandle both = OpenFifo(path);
  if (!both) return vklib::UniqueHandle();
  return vklib::UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_OVERLAPPED, nullptr));
}

}  // namespace

std::string WineBridgeSession::Program() {
  const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  std::wstring path(size, L'\0');
  if (size == 0 || GetEnvironmentVariableW(L"PATH", path.data(), size) != size - 1) return {};
  wchar_t found[MAX_PATH];
  const DWORD length =
      SearchPathW(path.c_str(), L"pressel2-bridge", nullptr, MAX_PATH, found, nullptr);
  return length > 0 && length < MAX_PATH ? UnixPath(found) : std::string();
}

std::unique_ptr<WineBridgeSession> WineBridgeSession::Open(DWORD& error) {
  UnixSpawn spawn = UnixSpawnFunction();
  std::string program = spawn != nullptr ? Program() : std::string();
  error = ERROR_FILE_NOT_FOUND;
  if (program.empty()) return nullptr;
  error = ERROR_PIPE_NOT_CONNECTED;
  const std::string parent = EndpointParent();
  // A name someone took before the bridge could make it fails the bridge: another one is tried.
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::string name = RandomHex(4);
    if (name.empty()) return nullptr;
    std::string directory = parent + "/pressel2-bridge-" + name;
    char* argv[] = {program.data(), directory.data(), nullptr};
    if (spawn(argv, 1) != 0) continue;
    const std::wstring dos = DosPath(directory);
    // "output" first: the bridge counts on it (private_endpoint_posix.h).
    vklib::UniqueHandle from_bridge = OpenFifoToRead(dos + L"\\output");
    vklib::UniqueHandle to_bridge = OpenFifo(dos + L"\\input");
    if (!from_bridge || !to_bridge) return nullptr;
    error = 0;
    return std::unique_ptr<WineBridgeSession>(
        new WineBridgeSession(std::move(to_bridge), std::move(from_bridge)));
  }
  return nullptr;
}

WineBridgeSession::WineBridgeSession(vklib::UniqueHandle to_bridge, vklib::UniqueHandle from_bridge)
    : to_bridge_(std::move(to_bridge)),
      from_bridge_(std::move(from_bridge)),
      ended_event_(CreateEventW(nullptr, TRUE, TRUE, nullptr)),
      stop_event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      reader_(&WineBridgeSession::ReadFrames, this) {}

WineBridgeSession::~WineBridgeSession() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  SetEvent(stop_event_.get());
  reader_.join();
}

bool WineBridgeSession::Run(int redirects, const std::string& directory,
                            const std::string& command_line) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (lost_) return false;
    replied_ = started_ = ended_ = false;
    exit_code_ = vklib::Process::kStillActive;
    output_.clear();
    ResetEvent(ended_event_.get());
  }
  Send(bridge::FrameType::kRun,
       bridge::JoinFields({std::to_string(redirects), directory, command_line}));
  std::unique_lock<std::mutex> lock(mutex_);
  // A bridge that does not answer is taken for lost: whatever it does later is not believed.
  if (!changed_.wait_for(lock, kReplyTime, [this] { return replied_ || lost_; })) lost_ = true;
  if (!started_) {
    ended_ = true;
    SetEvent(ended_event_.get());
  }
  return started_;
}

void WineBridgeSession::Send(bridge::FrameType type, std::string_view payload) {
  const std::string frame = bridge::EncodeFrame(type, payload);
  size_t done = 0;
  while (done < frame.size()) {
    DWORD written = 0;
    if (!WriteFile(to_bridge_.get(), frame.data() + done, static_cast<DWORD>(frame.size() - done),
                   &written, nullptr) ||
        written == 0) {
      return;  // the bridge is gone: its end of the stream tells the reader so
    }
    done += written;
  }
}

std::string WineBridgeSession::TakeOutput() {
  std::string taken;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    taken.swap(output_);
  }
  changed_.notify_all();
  return taken;
}

bool WineBridgeSession::Ended() {
  std::lock_guard<std::mutex> lock(mutex_);
  return ended_;
}

int32_t WineBridgeSession::ExitCode() {
  std::lock_guard<std::mutex> lock(mutex_);
  return exit_code_;
}

bool WineBridgeSession::Lost() {
  std::lock_guard<std::mutex> lock(mutex_);
  return lost_;
}

bool WineBridgeSession::LostDuringRun() {
  std::lock_guard<std::mutex> lock(mutex_);
  return lost_during_run_;
}

void WineBridgeSession::ReadFrames() {
  vklib::UniqueHandle io_event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  bridge::FrameReader reader;
  std::vector<char> buffer(65536);
  while (true) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = io_event.get();
    ResetEvent(io_event.get());
    if (!ReadFile(from_bridge_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                  &overlapped) &&
        GetLastError() != ERROR_IO_PENDING) {
      break;
    }
    HANDLE wake[] = {io_event.get(), stop_event_.get()};
    DWORD count = 0;
    if (WaitForMultipleObjects(2, wake, FALSE, INFINITE) != WAIT_OBJECT_0) {
      CancelIoEx(from_bridge_.get(), &overlapped);
      GetOverlappedResult(from_bridge_.get(), &overlapped, &count, TRUE);
      return;
    }
    if (!GetOverlappedResult(from_bridge_.get(), &overlapped, &count, FALSE) || count == 0) break;
    reader.Add(std::string_view(buffer.data(), count));
    bridge::FrameType type;
    std::string payload;
    std::unique_lock<std::mutex> lock(mutex_);
    bool ours = true;
    while (ours && !stopping_ && reader.Next(type, payload))
      ours = Take(type, payload, lock);
    if (stopping_) return;
    if (!ours || reader.Broken()) break;
  }
  MarkLost();
}

bool WineBridgeSession::Take(bridge::FrameType type, std::string& payload,
                             std::unique_lock<std::mutex>& lock) {
  switch (type) {
    case bridge::FrameType::kStarted:
      replied_ = true;
      started_ = payload == "1" && !lost_;
      changed_.notify_all();
      break;
    case bridge::FrameType::kOutput:
      output_ += payload;
      // A window that cannot keep up holds the bridge, and the tool, back.
      changed_.wait(lock, [this] { return output_.size() < kMostHeld || stopping_; });
      break;
    case bridge::FrameType::kExited:
      exit_code_ = static_cast<int32_t>(std::strtol(payload.c_str(), nullptr, 10));
      ended_ = true;
      SetEvent(ended_event_.get());
      break;
    default:
      return false;  // not a bridge of ours
  }
  return true;
}

void WineBridgeSession::MarkLost() {
  std::lock_guard<std::mutex> lock(mutex_);
  lost_ = true;
  if (!ended_) {
    lost_during_run_ = true;
    exit_code_ = -1;
  }
  ended_ = true;
  SetEvent(ended_event_.get());
  changed_.notify_all();
}
