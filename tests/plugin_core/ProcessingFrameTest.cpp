// EffectBase processing frame: host buffers mapped onto 64-bit channel pointers, scratch
// conversion for 32-bit buffers, unconnected channels, and block-size changes.
#include <gtest/gtest.h>

#include "tests/plugin_core/TestEffect.h"

namespace {

// Doubles every sample of two channels and remembers the input pointers it was handed.
class DoublingEffect : public TestEffect {
 public:
  DoublingEffect() {
    for (int i = 0; i < 2; ++i) {
      SetInputConnected(i, true);
      SetOutputConnected(i, true);
    }
  }
  void ProcessBlockDouble(double** inputs, double** outputs, int frames) override {
    for (int c = 0; c < 2; ++c) {
      seenInputs[c] = inputs[c];
      for (int f = 0; f < frames; ++f)
        outputs[c][f] = 2.0 * inputs[c][f];
    }
  }
  double* seenInputs[2] = {};
};

TEST(ProcessingFrame, FloatBuffersAreWidenedProcessedAndNarrowedReplacingOrAdding) {
  for (bool accumulate : {false, true}) {
    DoublingEffect effect;
    effect.ChangeBlockSize(4);
    float left[2] = {0.25f, -0.5f};
    float right[2] = {1.0f, 0.0f};
    float outLeft[2] = {1.0f, 1.0f};
    float outRight[2] = {-1.0f, 3.0f};
    float* ins[2] = {left, right};
    float* outs[2] = {outLeft, outRight};
    effect.ProcessFloatBuffers(ins, outs, 2, accumulate);
    EXPECT_EQ(effect.seenInputs[0], effect.GetInput(0)->scratch.data());
    EXPECT_EQ(outLeft[0], accumulate ? 1.5f : 0.5f);
    EXPECT_EQ(outLeft[1], accumulate ? 0.0f : -1.0f);
    EXPECT_EQ(outRight[0], accumulate ? 1.0f : 2.0f);
    EXPECT_EQ(outRight[1], accumulate ? 3.0f : 0.0f);
  }
}

// Takes 32-bit host buffers directly and counts the blocks it got that way.
class DirectFloatEffect : public DoublingEffect {
 public:
  bool ProcessBlockFloatDirect(float** inputs, float**, int, bool) override {
    directInputs = inputs;
    ++directBlocks;
    return true;
  }
  float** directInputs = nullptr;
  int directBlocks = 0;
};

TEST(ProcessingFrame, FloatBuffersGoDirectOnlyWithEveryChannelConnectedAndNoPartialOverlap) {
  DirectFloatEffect effect;
  effect.ChangeBlockSize(4);
  float a[5] = {}, b[4] = {}, c[4] = {};
  float* ins[2] = {a, b};
  effect.ProcessFloatBuffers(ins, ins, 4, false);  // in place
  EXPECT_EQ(effect.directBlocks, 1);
  EXPECT_EQ(effect.directInputs, ins);
  float* shifted[2] = {a + 1, c};
  effect.ProcessFloatBuffers(ins, shifted, 4, true);
  float* crossed[2] = {b, a};
  effect.ProcessFloatBuffers(ins, crossed, 4, false);
  EXPECT_EQ(effect.directBlocks, 2);
  EXPECT_EQ(effect.seenInputs[0], effect.GetInput(0)->scratch.data());  // widened once
  effect.SetOutputConnected(1, false);
  effect.ProcessFloatBuffers(ins, crossed, 4, false);
  EXPECT_EQ(effect.directBlocks, 2);
}

TEST(ProcessingFrame, DefaultBlockCopiesInputsThroughDoubleBuffers) {
  TestEffect effect;
  double left[2] = {0.1, 0.2};
  double right[2] = {-0.3, 0.4};
  double outLeft[2] = {};
  double outRight[2] = {};
  double* ins[2] = {left, right};
  double* outs[2] = {outLeft, outRight};
  effect.ProcessBlockDouble(ins, outs, 2);
  EXPECT_EQ(outLeft[1], 0.2);
  EXPECT_EQ(outRight[0], -0.3);
}

TEST(ProcessingFrame, UnconnectedInputConsumesNoHostBufferAndReadsZeros) {
  DoublingEffect effect;
  effect.ChangeBlockSize(1);
  effect.SetInputConnected(0, false);
  effect.ChangeBlockSize(2);  // the slot follows the resized scratch
  double first[2] = {0.5, 0.5};
  double outLeft[2] = {1, 1};
  double outRight[2] = {1, 1};
  double* ins[1] = {first};
  double* outs[2] = {outLeft, outRight};
  effect.ProcessDoubleBuffers(ins, outs, 2);
  EXPECT_EQ(effect.seenInputs[1], first);
  EXPECT_EQ(effect.seenInputs[0], effect.GetInput(0)->scratch.data());
  EXPECT_EQ(outLeft[1], 0.0);
  EXPECT_EQ(outRight[1], 1.0);
  // Whatever the scratch held since (an earlier block, the effect's own writes): still zeros.
  effect.GetInput(0)->scratch.assign(2, 7.0);
  effect.ProcessDoubleBuffers(ins, outs, 2);
  EXPECT_EQ(outLeft[0], 0.0);
  EXPECT_EQ(outLeft[1], 0.0);
}

TEST(ProcessingFrame, UnconnectedOutputWritesIntoItsScratchOnly) {
  DoublingEffect effect;
  effect.ChangeBlockSize(1);
  effect.SetOutputConnected(0, false);
  float left[1] = {0.25f};
  float right[1] = {0.5f};
  float hostOut[2] = {9, 9};
  float* ins[2] = {left, right};
  float* outs[2] = {&hostOut[0], &hostOut[1]};
  effect.ProcessFloatBuffers(ins, outs, 1, false);
  EXPECT_EQ(hostOut[0], 1.0f);  // output 1 took the first host buffer
  EXPECT_EQ(hostOut[1], 9.0f);
  EXPECT_EQ(effect.GetOutput(0)->scratch[0], 0.5);
}

TEST(ProcessingFrame, BlockSizeChangeZeroFillsScratchOnlyWhenTheSizeChanges) {
  TestEffect effect;
  effect.ChangeBlockSize(4);
  effect.GetInput(1)->scratch[2] = 3.0;
  effect.GetOutput(0)->scratch[3] = 4.0;
  effect.ChangeBlockSize(4);
  EXPECT_EQ(effect.GetInput(1)->scratch[2], 3.0);
  effect.ChangeBlockSize(8);
  EXPECT_EQ(effect.GetInput(1)->scratch, std::vector<double>(8, 0.0));
  EXPECT_EQ(effect.GetOutput(0)->scratch, std::vector<double>(8, 0.0));
  effect.ChangeBlockSize(-5);
  EXPECT_EQ(effect.BlockSize(), 0);
  EXPECT_TRUE(effect.GetOutput(1)->scratch.empty());
}

TEST(ProcessingFrame, RestrictToStereoDisconnectsExtraInputsAndConnectsExtraOutputs) {
  TestEffect effect(9, "4-4");
  effect.SetInputConnected(3, true);
  effect.RestrictToStereo();
  EXPECT_FALSE(effect.GetInput(3)->connected);
  EXPECT_TRUE(effect.GetOutput(2)->connected);
  EXPECT_FALSE(effect.GetOutput(0)->connected);
}

}  // namespace
