// Keeps the inputs in both precisions, so any callback can run the next block; the outputs are
// read from the precision the last block used.
#include "host/audio/ProcessBuffers.h"

#include <algorithm>

#include "host/signals/CrashGuard.h"

namespace ferrix::host {
namespace {

template <typename T>
void Allocate(std::vector<std::vector<T>>& channels, std::vector<T*>& pointers, int32_t count,
              int32_t frames) {
  // At least one pointer, so that a plug-in without inputs still gets a valid array.
  channels.assign(static_cast<size_t>(count), std::vector<T>(static_cast<size_t>(frames), T{}));
  pointers.assign(static_cast<size_t>(std::max(count, 1)), nullptr);
  for (int32_t c = 0; c < count; ++c)
    pointers[static_cast<size_t>(c)] = channels[c].data();
}

}  // namespace

ProcessBuffers::ProcessBuffers(int32_t inputs, int32_t outputs, int32_t blockFrames)
    : blockFrames_(blockFrames) {
  Allocate(floatIn_, floatInPtr_, inputs, blockFrames);
  Allocate(floatOut_, floatOutPtr_, outputs, blockFrames);
  Allocate(doubleIn_, doubleInPtr_, inputs, blockFrames);
  Allocate(doubleOut_, doubleOutPtr_, outputs, blockFrames);
}

void ProcessBuffers::SetInput(int32_t channel, const double* samples, int32_t frames) {
  std::vector<double>& d = doubleIn_[static_cast<size_t>(channel)];
  std::vector<float>& f = floatIn_[static_cast<size_t>(channel)];
  for (int32_t i = 0; i < blockFrames_; ++i) {
    const double v = i < frames ? samples[i] : 0.0;
    d[static_cast<size_t>(i)] = v;
    f[static_cast<size_t>(i)] = static_cast<float>(v);
  }
}

void ProcessBuffers::ClearInput(int32_t channel) {
  std::fill(doubleIn_[static_cast<size_t>(channel)].begin(),
            doubleIn_[static_cast<size_t>(channel)].end(), 0.0);
  std::fill(floatIn_[static_cast<size_t>(channel)].begin(),
            floatIn_[static_cast<size_t>(channel)].end(), 0.0f);
}

double ProcessBuffers::Output(int32_t channel, int32_t frame) const {
  const auto c = static_cast<size_t>(channel);
  const auto i = static_cast<size_t>(frame);
  return lastMode_ == ProcessMode::kDoubleReplacing ? doubleOut_[c][i]
                                                    : static_cast<double>(floatOut_[c][i]);
}

void ProcessBuffers::FillOutputs(double value) {
  for (std::vector<float>& out : floatOut_)
    std::fill(out.begin(), out.end(), static_cast<float>(value));
  for (std::vector<double>& out : doubleOut_)
    std::fill(out.begin(), out.end(), value);
}

void ProcessBuffers::Process(AEffect* effect, ProcessMode mode, int32_t frames) {
  lastMode_ = mode;
  PluginCall call;
  switch (mode) {
    case ProcessMode::kAccumulate:
      effect->process(effect, floatInPtr_.data(), floatOutPtr_.data(), frames);
      break;
    case ProcessMode::kReplacing:
      effect->processReplacing(effect, floatInPtr_.data(), floatOutPtr_.data(), frames);
      break;
    case ProcessMode::kDoubleReplacing:
      effect->processDoubleReplacing(effect, doubleInPtr_.data(), doubleOutPtr_.data(), frames);
      break;
  }
}

}  // namespace ferrix::host
