// One block of planar audio: a buffer per channel, sized once for the largest block, and the
// number of frames it holds now.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ferrix::host {

struct AudioBlock {
  std::vector<std::vector<double>> channels;
  int32_t frames = 0;

  AudioBlock() = default;
  AudioBlock(int channelCount, int32_t capacity)
      : channels(static_cast<size_t>(channelCount),
                 std::vector<double>(static_cast<size_t>(capacity))) {}
  int ChannelCount() const { return static_cast<int>(channels.size()); }
  int32_t Capacity() const {
    return channels.empty() ? 0 : static_cast<int32_t>(channels[0].size());
  }
};

}  // namespace ferrix::host
