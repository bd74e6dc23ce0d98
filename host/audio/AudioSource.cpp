// Audio in memory handed out a block at a time.
#include "host/audio/AudioSource.h"

#include <algorithm>

namespace ferrix::host {

int32_t MemorySource::Read(AudioBlock& block, int32_t frames) {
  block.frames = static_cast<int32_t>(
      std::clamp<int64_t>(audio_.Frames() - position_, 0, std::min(frames, block.Capacity())));
  for (int c = 0; c < std::min(ChannelCount(), block.ChannelCount()); ++c) {
    const double* in = audio_.channels[static_cast<size_t>(c)].data() + position_;
    std::copy(in, in + block.frames, block.channels[static_cast<size_t>(c)].begin());
  }
  position_ += block.frames;
  return block.frames;
}

}  // namespace ferrix::host
