#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "bridge/bridge_frames.h"
#include "vklib/unique_handle_win32.h"

// The window's side of its Linux bridge, under Wine. The bridge (pressel2-bridge, a Linux
// program found on the PATH) is started once and met at its private endpoint: two FIFOs in a
// directory only our user can enter (private_endpoint_posix.h). A thread of ours reads what the
// bridge sends as it comes, so that the end of a tool wakes the window at once.
class WineBridgeSession {
 public:
  // Starts the bridge and meets it. Null when there is no bridge on the PATH (`error` is
  // ERROR_FILE_NOT_FOUND) or it could not be met (ERROR_PIPE_NOT_CONNECTED).
  static std::unique_ptr<WineBridgeSession> Open(DWORD& error);
  // The bridge's Unix path, found on the PATH; "" when there is none.
  static std::string Program();
  // The bridge reads the end of its input: it ends a running tool's whole tree, and itself.
  ~WineBridgeSession();
  WineBridgeSession(const WineBridgeSession&) = delete;
  WineBridgeSession& operator=(const WineBridgeSession&) = delete;

  // Runs a command line as the POSIX runner reads it, in a directory (a Unix path), both in the
  // ANSI code page, with the streams of `redirects` (bridge::kRedirect... bits) on the stream;
  // true when the tool runs.
  bool Run(int redirects, const std::string& directory, const std::string& command_line);
  void Send(bridge::FrameType type, std::string_view payload);
  // The tool's output (its bytes as it wrote them) that came since the last call.
  std::string TakeOutput();
  // The tool has ended and all its output came; or the bridge is gone.
  bool Ended();
  int32_t ExitCode();
  // Signalled once Ended holds, for MsgWaitForMultipleObjects.
  HANDLE EndedEvent() const { return ended_event_.get(); }
  // The bridge has gone (its end of the stream closed, or it sent what is not a frame of ours).
  bool Lost();
  // It went while the last tool ran, which then ended with -1.
  bool LostDuringRun();

 private:
  WineBridgeSession(vklib::UniqueHandle to_bridge, vklib::UniqueHandle from_bridge);
  void ReadFrames();
  // False for a frame the bridge never sends.
  bool Take(bridge::FrameType type, std::string& payload, std::unique_lock<std::mutex>& lock);
  void MarkLost();

  vklib::UniqueHandle to_bridge_;
  vklib::UniqueHandle from_bridge_;
  vklib::UniqueHandle ended_event_;
  vklib::UniqueHandle stop_event_;

  std::mutex mutex_;
  std::condition_variable changed_;  // a reply came, output was taken, or we stop
  bool replied_ = false;
  bool started_ = false;
  bool ended_ = true;
  bool lost_ = false;
  bool lost_during_run_ = false;
  bool stopping_ = false;
  int32_t exit_code_ = 0;
  std::string output_;

  std::thread reader_;
};
