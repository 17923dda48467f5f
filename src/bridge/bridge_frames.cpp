#include "bridge/bridge_frames.h"

namespace bridge {
namespace {

constexpr size_t kHeaderBytes = 5;

}  // namespace

std::string EncodeFrame(FrameType type, std::string_view payload) {
  std::string frame(kHeaderBytes, '\0');
  frame[0] = static_cast<char>(type);
  const auto length = static_cast<uint32_t>(payload.size());
  for (int i = 0; i < 4; ++i)
    frame[1 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  frame.append(payload);
  return frame;
}

std::string JoinFields(const std::vector<std::string>& fields) {
  std::string payload;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) payload += '\0';
    payload += fields[i];
  }
  return payload;
}

std::vector<std::string> SplitFields(std::string_view payload) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    size_t end = payload.find('\0', start);
    fields.emplace_back(payload.substr(start, end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

void FrameReader::Add(std::string_view bytes) {
  // What the frames already taken used is dropped once it is most of what is held.
  if (start_ > 0 && start_ * 2 >= pending_.size()) {
    pending_.erase(0, start_);
    start_ = 0;
  }
  pending_.append(bytes);
}

bool FrameReader::Next(FrameType& type, std::string& payload) {
  if (broken_ || pending_.size() - start_ < kHeaderBytes) return false;
  uint32_t length = 0;
  for (int i = 0; i < 4; ++i)
    length |= static_cast<uint32_t>(static_cast<unsigned char>(pending_[start_ + 1 + i]))
              << (8 * i);
  if (length > kMaxPayload) {
    broken_ = true;
    return false;
  }
  if (pending_.size() - start_ - kHeaderBytes < length) return false;
  type = static_cast<FrameType>(pending_[start_]);
  payload.assign(pending_, start_ + kHeaderBytes, length);
  start_ += kHeaderBytes + length;
  return true;
}

}  // namespace bridge
