#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the window under Wine and its Linux-side bridge (pressel2-bridge) say to each other over
// their two FIFOs: frames of a type byte, the payload's length (four bytes, little-endian) and
// the payload. One tool runs at a time.
namespace bridge {

enum class FrameType : char {
  // From the window.
  kRun = 'R',    // fields: the streams to redirect (kRedirect... bits), directory, command line
  kInput = 'I',  // bytes for the tool's standard input
  kCloseInput = 'C',  // the end of the tool's standard input
  kStop = 'S',        // end the tool's whole tree
  // From the bridge.
  kStarted = 's',  // "1" when the tool runs, "0" when it could not be started
  kOutput = 'o',   // bytes the tool wrote
  kExited = 'x',   // the tool's exit code, after the last of its output
};

inline constexpr int kRedirectInput = 1;
inline constexpr int kRedirectOutput = 2;
inline constexpr int kRedirectError = 4;

// No frame is longer; a longer one means the stream is not ours.
inline constexpr size_t kMaxPayload = 1 << 20;

std::string EncodeFrame(FrameType type, std::string_view payload);

// Fields within a payload, separated by NUL bytes.
std::string JoinFields(const std::vector<std::string>& fields);
std::vector<std::string> SplitFields(std::string_view payload);

// Takes the bytes of the stream as they come and gives whole frames.
class FrameReader {
 public:
  void Add(std::string_view bytes);
  // The next whole frame; false when none is complete yet, or when the stream is broken.
  bool Next(FrameType& type, std::string& payload);
  // A frame claimed more than kMaxPayload bytes: nothing after it can be trusted.
  bool Broken() const { return broken_; }

 private:
  std::string pending_;
  size_t start_ = 0;  // where the next frame begins in pending_
  bool broken_ = false;
};

}  // namespace bridge
