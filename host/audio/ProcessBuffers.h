// Channel buffers for the three VST 2.4 processing callbacks: planar 32-bit and 64-bit storage of
// one block per channel and the pointer arrays the callbacks take.
#pragma once

#include <cstdint>
#include <vector>

#include "vst/VstAbi.h"

namespace ferrix::host {

enum class ProcessMode {
  kAccumulate,       // process: adds into whatever the outputs hold (see FillOutputs)
  kReplacing,        // processReplacing (32-bit)
  kDoubleReplacing,  // processDoubleReplacing (64-bit)
};

class ProcessBuffers {
 public:
  ProcessBuffers(int32_t inputs, int32_t outputs, int32_t blockFrames);

  // Samples are exchanged as doubles; the 32-bit modes narrow and widen them.
  void SetInput(int32_t channel, const double* samples, int32_t frames);
  void ClearInput(int32_t channel);
  double Output(int32_t channel, int32_t frame) const;
  void FillOutputs(double value);  // hosts clear the outputs before an accumulating block

  // Runs one block through `effect`. frames must not exceed the block size.
  void Process(AEffect* effect, ProcessMode mode, int32_t frames);

  int32_t BlockFrames() const { return blockFrames_; }

 private:
  int32_t blockFrames_;
  ProcessMode lastMode_ = ProcessMode::kReplacing;
  std::vector<std::vector<float>> floatIn_, floatOut_;
  std::vector<std::vector<double>> doubleIn_, doubleOut_;
  std::vector<float*> floatInPtr_, floatOutPtr_;
  std::vector<double*> doubleInPtr_, doubleOutPtr_;
};

}  // namespace ferrix::host
