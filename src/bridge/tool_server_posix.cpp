#include "bridge/tool_server_posix.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "bridge/bridge_frames.h"
#include "vklib/process.h"

namespace {

// How long a running tool's output and end are waited for before the window is listened to
// again: the longest a typed line or a stop waits.
constexpr int kListenMilliseconds = 5;

class ToolServer {
 public:
  ToolServer(int from_window, int to_window) : from_window_(from_window), to_window_(to_window) {}

  int Serve() {
    while (!gone_) {
      if (running_) ForwardTool();
      pollfd window{from_window_, POLLIN, 0};
      if (poll(&window, 1, running_ ? 0 : -1) < 0 && errno != EINTR) break;
      if (window.revents != 0) ListenToWindow();
    }
    process_.Close();
    return broken_ ? 1 : 0;
  }

 private:
  void Send(bridge::FrameType type, const std::string& payload) {
    const std::string frame = bridge::EncodeFrame(type, payload);
    size_t done = 0;
    while (done < frame.size()) {
      ssize_t written = write(to_window_, frame.data() + done, frame.size() - done);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        gone_ = true;  // the window no longer reads
        return;
      }
      done += static_cast<size_t>(written);
    }
  }

  void ForwardOutput() {
    while (size_t count = process_.Read(buffer_, sizeof buffer_))
      Send(bridge::FrameType::kOutput, std::string(buffer_, count));
  }

  void ForwardTool() {
    process_.WaitForActivity(kListenMilliseconds);
    ForwardOutput();
    if (!process_.IsEnded()) return;
    ForwardOutput();  // what it wrote just before its end
    Send(bridge::FrameType::kExited, std::to_string(process_.ExitCode()));
    running_ = false;
  }

  void ListenToWindow() {
    ssize_t count = read(from_window_, buffer_, sizeof buffer_);
    if (count < 0 && errno == EINTR) return;
    if (count <= 0) {
      gone_ = true;
      return;
    }
    reader_.Add(std::string_view(buffer_, static_cast<size_t>(count)));
    bridge::FrameType type;
    std::string payload;
    while (!gone_ && reader_.Next(type, payload))
      Handle(type, payload);
    if (reader_.Broken()) broken_ = gone_ = true;
  }

  void Handle(bridge::FrameType type, const std::string& payload) {
    switch (type) {
      case bridge::FrameType::kRun:
        Run(bridge::SplitFields(payload));
        break;
      case bridge::FrameType::kInput:
        for (size_t done = 0; running_ && done < payload.size();) {
          size_t written = process_.Write(payload.data() + done, payload.size() - done);
          if (written == 0) break;  // the tool does not read any more
          done += written;
        }
        break;
      case bridge::FrameType::kCloseInput:
        process_.CloseInput();
        break;
      case bridge::FrameType::kStop:
        if (!running_) break;
        process_.Close();
        Send(bridge::FrameType::kExited, std::to_string(process_.ExitCode()));
        running_ = false;
        break;
      default:
        broken_ = gone_ = true;  // not a window of ours
    }
  }

  void Run(const std::vector<std::string>& fields) {
    if (running_ || fields.size() != 3) {
      Send(bridge::FrameType::kStarted, "0");
      return;
    }
    const int redirects = std::atoi(fields[0].c_str());
    vklib::ProcessParam param;
    param.Directory = fields[1];
    param.CommandLine = fields[2];
    param.RedirectInput = (redirects & bridge::kRedirectInput) != 0;
    param.RedirectOutput = (redirects & bridge::kRedirectOutput) != 0;
    param.RedirectError = (redirects & bridge::kRedirectError) != 0;
    running_ = process_.Start(param);
    Send(bridge::FrameType::kStarted, running_ ? "1" : "0");
  }

  const int from_window_;
  const int to_window_;
  vklib::Process process_;
  bridge::FrameReader reader_;
  bool running_ = false;
  bool gone_ = false;
  bool broken_ = false;
  char buffer_[65536];
};

}  // namespace

int ServeTools(int from_window, int to_window) {
  ToolServer server(from_window, to_window);
  return server.Serve();
}
