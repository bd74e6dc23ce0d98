// The three processing callbacks of the built module with the host library's buffers: the
// default copy and the effect's own processing, accumulating and replacing, blocks longer than
// the block size, and refused frame counts and block sizes.
#include <gtest/gtest.h>

#include <vector>

#include "host/audio/ProcessBuffers.h"
#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {
namespace {

using host::ProcessBuffers;
using host::ProcessMode;

constexpr ProcessMode kModes[] = {ProcessMode::kAccumulate, ProcessMode::kReplacing,
                                  ProcessMode::kDoubleReplacing};

class ModuleProcessing : public ::testing::Test {
 protected:
  ScriptedHost host;
  LoadedModule module{ProbeModule(), &host};

  void Restart() {
    module.Dispatch(effMainsChanged, 0, 0);  // clears the probe's state
    module.Dispatch(effMainsChanged, 0, 1);
  }
  ProcessBuffers Ones(int frames, double outputs) {
    ProcessBuffers buffers(2, 2, frames);
    const std::vector<double> ones(static_cast<size_t>(frames), 1.0);
    buffers.SetInput(0, ones.data(), frames);
    buffers.SetInput(1, ones.data(), frames);
    buffers.FillOutputs(outputs);
    return buffers;
  }
  std::vector<double> Run(ProcessMode mode, int frames, double outputs = 0.0) {
    ProcessBuffers buffers = Ones(frames, outputs);
    buffers.Process(module.effect, mode, frames);
    std::vector<double> result;
    for (int c = 0; c < 2; ++c) {
      for (int f = 0; f < frames; ++f)
        result.push_back(buffers.Output(c, f));
    }
    return result;
  }
};

TEST_F(ModuleProcessing, DefaultProcessingCopiesAndAccumulates) {
  module.effect->setParameter(module.effect, 8, 1.0f);  // Bypass: the default copy
  EXPECT_EQ(Run(ProcessMode::kReplacing, 3, 5.0), std::vector<double>(6, 1.0));
  EXPECT_EQ(Run(ProcessMode::kDoubleReplacing, 3, 5.0), std::vector<double>(6, 1.0));
  EXPECT_EQ(Run(ProcessMode::kAccumulate, 3, 1.0), std::vector<double>(6, 2.0));
}

TEST_F(ModuleProcessing, EffectProcessingKeepsItsStateAcrossBlocks) {
  // y[n] = x[n] + y[n-1] / 2 on ones: 1, 1.5, 1.75, 1.875.
  const std::vector<double> first = {1.0, 1.5, 1.0, 1.5};
  EXPECT_EQ(Run(ProcessMode::kReplacing, 2), first);
  EXPECT_EQ(Run(ProcessMode::kDoubleReplacing, 2), (std::vector<double>{1.75, 1.875, 1.75, 1.875}));
  Restart();
  EXPECT_EQ(Run(ProcessMode::kAccumulate, 2, 1.0), (std::vector<double>{2.0, 2.5, 2.0, 2.5}));
  Restart();
  module.effect->setParameter(module.effect, 0, 0.5f);  // Gain 2: 2, 3, 3.5
  EXPECT_EQ(Run(ProcessMode::kDoubleReplacing, 3),
            (std::vector<double>{2.0, 3.0, 3.5, 2.0, 3.0, 3.5}));
}

TEST_F(ModuleProcessing, LongerBlocksAreProcessedInSlicesOfTheBlockSize) {
  module.Dispatch(effSetBlockSize, 0, 4);
  // One call of ten frames gives what ten frames in a row give: 2 - 2^-n.
  std::vector<double> expected;
  for (int c = 0; c < 2; ++c) {
    double y = 0.0;
    for (int n = 0; n < 10; ++n)
      expected.push_back(y = 1.0 + y / 2.0);
  }
  EXPECT_EQ(expected[9], 1.998046875);
  for (ProcessMode mode : kModes) {
    Restart();
    EXPECT_EQ(Run(mode, 10), expected) << static_cast<int>(mode);
  }
}

TEST_F(ModuleProcessing, NegativeFrameCountsDoNothing) {
  for (ProcessMode mode : kModes) {
    Restart();
    ProcessBuffers buffers = Ones(2, 7.0);
    buffers.Process(module.effect, mode, -2);
    EXPECT_EQ(buffers.Output(0, 0), 7.0);
    EXPECT_EQ(buffers.Output(1, 1), 7.0);
    // The state is untouched: the next block starts over.
    EXPECT_EQ(Run(mode, 1, mode == ProcessMode::kAccumulate ? 1.0 : 0.0)[0],
              mode == ProcessMode::kAccumulate ? 2.0 : 1.0);
  }
}

TEST_F(ModuleProcessing, AnInputTheHostDropsReadsSilenceOnEveryBlock) {
  module.effect->setParameter(module.effect, 8, 1.0f);  // Bypass: output i copies input i
  VstSpeakerArrangement mono{kSpeakerArrMono, 1, {}}, stereo{kSpeakerArrStereo, 2, {}};
  for (ProcessMode mode : kModes) {
    module.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&stereo), &stereo);
    Run(ProcessMode::kReplacing, 4);  // a stereo block of ones goes through the scratch
    EXPECT_EQ(
        module.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo),
        1);
    for (int block = 0; block < 2; ++block) {
      ProcessBuffers buffers(1, 2, 4);  // silence on the one input left
      buffers.FillOutputs(mode == ProcessMode::kAccumulate ? 0.0 : 9.0);
      buffers.Process(module.effect, mode, 4);
      for (int f = 0; f < 4; ++f)
        EXPECT_EQ(buffers.Output(1, f), 0.0) << static_cast<int>(mode) << " frame " << f;
    }
  }
}

TEST_F(ModuleProcessing, RefusedBlockSizesKeepTheLastOne) {
  module.Dispatch(effSetBlockSize, 0, 4);
  module.Dispatch(effSetBlockSize, 0, 0);
  module.Dispatch(effSetBlockSize, 0, -4);
  Restart();
  const std::vector<double> out = Run(ProcessMode::kReplacing, 6);
  EXPECT_EQ(out[5], 1.96875);
}

}  // namespace
}  // namespace ferrix::vst::testing
