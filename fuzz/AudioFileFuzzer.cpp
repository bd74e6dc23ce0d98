// libFuzzer target: any bytes as an audio file, streamed through the host's reader the way a
// render reads it. Whatever the header declares, reading must end, stay within one block of
// memory and never fault. Seeds: tools/run-fuzzer.sh writes FLAC, AIFF, Ogg, W64 and RF64 files
// with make_audio_seeds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "host/audio/AudioFile.h"

namespace {

std::string ScratchPath() {
  return "/tmp/ferrix-fuzz-audio-" + std::to_string(getpid());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = ScratchPath();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  ferrix::host::AudioFileReader reader;
  std::string error;
  if (!reader.Open(path, error)) return 0;
  ferrix::host::AudioBlock block(reader.ChannelCount(), 512);
  // A few kilobytes may decode to hours of audio; a million frames show the streaming well
  // enough and keep each run short.
  while (reader.FramesRead() < (1 << 20) && reader.Read(block, block.Capacity()) > 0) {
    double sum = 0.0;
    for (const auto& channel : block.channels)
      sum += channel[static_cast<size_t>(block.frames - 1)];
    (void)sum;
  }
  (void)reader.EarlyEndWarning();
  return 0;
}
