// Loudness and peaks of a render as broadcasters measure them (ITU-R BS.1770 / EBU R 128):
// integrated loudness, loudness range, sample peak and 4x oversampled true peak, gathered block
// by block in constant memory. One implementation file per build: libebur128, or none.
#pragma once

#include <memory>
#include <optional>

#include "host/audio/AudioBlock.h"

namespace ferrix::host {

struct LoudnessFigures {
  double integratedLufs = 0.0;  // -infinity when nothing passes the gates (under 400 ms, silence)
  double rangeLu = 0.0;
  double samplePeakDb = 0.0;  // dBFS, the loudest channel; -infinity for silence
  double truePeakDb = 0.0;    // dBTP, the loudest channel
};

class LoudnessMeter {
 public:
  LoudnessMeter(int channels, int sampleRate);
  ~LoudnessMeter();
  LoudnessMeter(const LoudnessMeter&) = delete;
  LoudnessMeter& operator=(const LoudnessMeter&) = delete;

  // False when this build measures no loudness (or cannot for this channel count or rate).
  bool Available() const;
  void Add(const AudioBlock& block);
  std::optional<LoudnessFigures> Figures() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Whether this build has loudness at all (for --help and the tests).
bool LoudnessAvailable();

}  // namespace ferrix::host
