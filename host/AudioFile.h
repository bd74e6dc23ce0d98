// Reading and writing audio files through libsndfile, as planar doubles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ferrix::host {

struct AudioData {
  int sampleRate = 0;
  int format = 0;  // libsndfile's format word of the file it came from (0: not from a file)
  std::vector<std::vector<double>> channels;

  int ChannelCount() const { return static_cast<int>(channels.size()); }
  int64_t Frames() const { return channels.empty() ? 0 : static_cast<int64_t>(channels[0].size()); }
};

// Answers false with a one-line reason in `error`.
bool ReadAudioFile(const std::string& path, AudioData& audio, std::string& error);

// Writes `audio` to `path`, choosing the container from the extension and keeping the source's
// sample format where the container allows it (float stays float, so values above 0 dBFS
// survive). The data goes to a temporary name first and is renamed at the end, so that a failure
// leaves no partial file behind.
bool WriteAudioFile(const std::string& path, const AudioData& audio, std::string& error);

}  // namespace ferrix::host
