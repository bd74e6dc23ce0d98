// Where a render takes its input from, block by block: a file being read, or audio in memory.
#pragma once

#include <cstdint>

#include "host/audio/AudioBlock.h"
#include "host/audio/AudioFile.h"

namespace ferrix::host {

class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual int ChannelCount() const = 0;
  // For progress only; 0 when unknown. The source may end earlier or later.
  virtual int64_t ExpectedFrames() const = 0;
  // Up to `frames` frames into `block`; answers how many, 0 at the end.
  virtual int32_t Read(AudioBlock& block, int32_t frames) = 0;
};

class FileSource : public AudioSource {
 public:
  explicit FileSource(AudioFileReader& reader) : reader_(reader) {}
  int ChannelCount() const override { return reader_.ChannelCount(); }
  int64_t ExpectedFrames() const override { return reader_.DeclaredFrames(); }
  int32_t Read(AudioBlock& block, int32_t frames) override { return reader_.Read(block, frames); }

 private:
  AudioFileReader& reader_;
};

class MemorySource : public AudioSource {
 public:
  explicit MemorySource(const AudioData& audio) : audio_(audio) {}
  int ChannelCount() const override { return audio_.ChannelCount(); }
  int64_t ExpectedFrames() const override { return audio_.Frames(); }
  int32_t Read(AudioBlock& block, int32_t frames) override;

 private:
  const AudioData& audio_;
  int64_t position_ = 0;
};

}  // namespace ferrix::host
