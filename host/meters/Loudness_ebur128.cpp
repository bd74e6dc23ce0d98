// libebur128 in histogram mode, so memory stays the same however long the file (the gated
// integration reads block energies from a fixed histogram; resolution 0.01 LU).
#include <ebur128.h>

#include <cmath>
#include <limits>
#include <vector>

#include "host/meters/Loudness.h"

namespace ferrix::host {
namespace {

constexpr int kMode = EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_TRUE_PEAK |
                      EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_HISTOGRAM;

double ToDb(double level) {
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

}  // namespace

struct LoudnessMeter::State {
  ebur128_state* meter = nullptr;
  int channels = 0;
  std::vector<double> interleaved;
};

LoudnessMeter::LoudnessMeter(int channels, int sampleRate) : state_(new State) {
  if (channels < 1 || sampleRate < 1) return;
  state_->meter =
      ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(sampleRate), kMode);
  state_->channels = channels;
}

LoudnessMeter::~LoudnessMeter() {
  if (state_->meter != nullptr) ebur128_destroy(&state_->meter);
}

bool LoudnessMeter::Available() const {
  return state_->meter != nullptr;
}

void LoudnessMeter::Add(const AudioBlock& block) {
  if (state_->meter == nullptr || block.frames <= 0) return;
  const size_t channels = static_cast<size_t>(state_->channels);
  const size_t needed = static_cast<size_t>(block.frames) * channels;
  if (state_->interleaved.size() < needed) state_->interleaved.resize(needed);
  for (size_t c = 0; c < channels && c < block.channels.size(); ++c) {
    const double* in = block.channels[c].data();
    for (int32_t f = 0; f < block.frames; ++f)
      state_->interleaved[static_cast<size_t>(f) * channels + c] = in[f];
  }
  ebur128_add_frames_double(state_->meter, state_->interleaved.data(),
                            static_cast<size_t>(block.frames));
}

std::optional<LoudnessFigures> LoudnessMeter::Figures() const {
  if (state_->meter == nullptr) return std::nullopt;
  LoudnessFigures figures;
  double value = 0.0;
  figures.integratedLufs = ebur128_loudness_global(state_->meter, &value) == EBUR128_SUCCESS
                               ? value
                               : -std::numeric_limits<double>::infinity();
  figures.rangeLu = ebur128_loudness_range(state_->meter, &value) == EBUR128_SUCCESS ? value : 0.0;
  double samplePeak = 0.0;
  double truePeak = 0.0;
  for (unsigned c = 0; c < static_cast<unsigned>(state_->channels); ++c) {
    if (ebur128_sample_peak(state_->meter, c, &value) == EBUR128_SUCCESS)
      samplePeak = std::fmax(samplePeak, value);
    if (ebur128_true_peak(state_->meter, c, &value) == EBUR128_SUCCESS)
      truePeak = std::fmax(truePeak, value);
  }
  figures.samplePeakDb = ToDb(samplePeak);
  figures.truePeakDb = ToDb(truePeak);
  return figures;
}

bool LoudnessAvailable() {
  return true;
}

}  // namespace ferrix::host
