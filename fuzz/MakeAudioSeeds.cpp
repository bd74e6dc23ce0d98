// Writes the seed files of fuzz_audio_file into a folder: a short stereo tone as FLAC, AIFF,
// Ogg Vorbis, W64, RF64 and WAV, small enough for mutation to reach every header field.
#include <cmath>
#include <cstdio>
#include <string>

#include "host/audio/AudioFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_audio_seeds FOLDER\n");
    return 2;
  }
  struct Seed {
    const char* name;
    int format;  // libsndfile major | subtype
  };
  const Seed seeds[] = {{"seed.flac", 0x170002}, {"seed.aiff", 0x020002}, {"seed.ogg", 0x200060},
                        {"seed.w64", 0x0B0006},  {"seed.rf64", 0x220002}, {"seed.wav", 0x010002}};
  ferrix::host::AudioData audio;
  audio.sampleRate = 8000;
  audio.channels.assign(2, std::vector<double>(96));
  for (size_t i = 0; i < 96; ++i) {
    audio.channels[0][i] = 0.5 * std::sin(0.3 * static_cast<double>(i));
    audio.channels[1][i] = 0.25 * std::cos(0.2 * static_cast<double>(i));
  }
  int failures = 0;
  for (const Seed& seed : seeds) {
    audio.format = seed.format;
    std::string error;
    if (!ferrix::host::WriteAudioFile(std::string(argv[1]) + "/" + seed.name, audio, error)) {
      std::fprintf(stderr, "make_audio_seeds: %s\n", error.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
