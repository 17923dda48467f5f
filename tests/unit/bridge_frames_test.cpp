#include "bridge/bridge_frames.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using bridge::FrameType;
using Frames = std::vector<std::pair<FrameType, std::string>>;

Frames Take(bridge::FrameReader& reader) {
  Frames frames;
  FrameType type;
  std::string payload;
  while (reader.Next(type, payload))
    frames.emplace_back(type, payload);
  return frames;
}

TEST(BridgeFrames, ComeOutWholeWhereverTheStreamIsCut) {
  const Frames sent = {{FrameType::kRun, bridge::JoinFields({"7", "/doc", "platex main.tex"})},
                       {FrameType::kCloseInput, ""},
                       {FrameType::kOutput, std::string("\x82\xa0\0\n", 4)}};
  std::string stream;
  for (const auto& [type, payload] : sent)
    stream += bridge::EncodeFrame(type, payload);
  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    bridge::FrameReader reader;
    reader.Add(stream.substr(0, cut));
    Frames frames = Take(reader);
    reader.Add(stream.substr(cut));
    for (auto& frame : Take(reader))
      frames.push_back(frame);
    EXPECT_EQ(sent, frames) << "cut at " << cut;
  }
  EXPECT_EQ((std::vector<std::string>{"7", "/doc", "platex main.tex"}),
            bridge::SplitFields(sent[0].second));
}

TEST(BridgeFrames, AFrameLongerThanAnyOfOursBreaksTheStream) {
  bridge::FrameReader reader;
  const uint32_t length = bridge::kMaxPayload + 1;
  std::string header(1, static_cast<char>(FrameType::kOutput));
  for (int i = 0; i < 4; ++i)
    header += static_cast<char>((length >> (8 * i)) & 0xFF);
  reader.Add(header + "x" + bridge::EncodeFrame(FrameType::kExited, "0"));
  EXPECT_EQ(Frames(), Take(reader));
  EXPECT_TRUE(reader.Broken());
}

}  // namespace
