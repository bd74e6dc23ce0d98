// The built Ferrix module as hosts load it: its record and programs, and every reference scene
// of the effect replayed through the host interface with processDoubleReplacing, bit for bit
// against the frozen renders. The same frozen files are checked natively against Ferrix.so and
// under wine against Ferrix.dll, so the two modules sound identical.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"
#include "tests/vst/ModuleHost.h"
#include "tools/programs/renders/ReferenceScenes.h"

namespace ferrix::vst::testing {
namespace {

std::unique_ptr<host::Plugin> LoadFerrix(host::Host& host) {
  host::LoadResult loaded = host::Plugin::Load(NativePath(FERRIX_MODULE), host);
  EXPECT_EQ(loaded.error, host::LoadError::kNone) << loaded.message;
  return std::move(loaded.plugin);
}

// Both platforms open the editor in a window of their own (Win32, X11).
constexpr int32_t kEditorFlag = effFlagsHasEditor;

TEST(FerrixModule, RecordAndProgramsAsHostsSeeThem) {
  host::Host host;
  auto ferrix = LoadFerrix(host);
  ASSERT_TRUE(ferrix);
  const AEffect& e = *ferrix->Effect();
  EXPECT_EQ(e.magic, kEffectMagic);
  EXPECT_EQ(e.numPrograms, 20);
  EXPECT_EQ(e.numParams, 9);
  EXPECT_EQ(e.numInputs, 2);
  EXPECT_EQ(e.numOutputs, 2);
  EXPECT_EQ(e.flags, 0x1018 | kEditorFlag);
  EXPECT_EQ(e.uniqueID, 0x35313476);
  EXPECT_EQ(e.version, 10003);
  EXPECT_EQ(e.ioRatio, 1.0f);
  EXPECT_EQ(e.initialDelay, 0);
  ferrix->Open();
  EXPECT_EQ(ferrix->EffectName(), "Tessomar");
  EXPECT_EQ(ferrix->VendorString(), "Morvane");
  EXPECT_EQ(ferrix->ProgramNameIndexed(0), "-");
  for (int i = 9; i < 20; ++i)
    EXPECT_EQ(ferrix->ProgramNameIndexed(i), "Empty") << i;
  EXPECT_EQ(ferrix->GetChunk(true).size(), 80u);   // the current program
  EXPECT_GT(ferrix->GetChunk(false).size(), 80u);  // the bank
}

TEST(FerrixModule, DoubleProcessingLeavesTheHostsInputsAloneUnlessTheyAreTheOutputs) {
  host::Host host;
  auto ferrix = LoadFerrix(host);
  ASSERT_TRUE(ferrix);
  ferrix->Open();
  ferrix->SetParam(8, 1.0f);  // Bypass: the guarded inputs come out unchanged
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> original = {std::nan(""), -inf, 1e-310, 0.5};
  std::vector<double> left = original, right = original, outLeft(4, 9.0), outRight(4, 9.0);
  double* inputs[2] = {left.data(), right.data()};
  double* outputs[2] = {outLeft.data(), outRight.data()};
  ferrix->Effect()->processDoubleReplacing(ferrix->Effect(), inputs, outputs, 4);
  EXPECT_EQ(std::memcmp(left.data(), original.data(), 4 * sizeof(double)), 0);
  EXPECT_EQ(std::memcmp(right.data(), original.data(), 4 * sizeof(double)), 0);
  const std::vector<double> guarded = {0.0, 0.0, 0.0, 0.5};
  EXPECT_EQ(outLeft, guarded);
  // In place, the outputs are the inputs.
  ferrix->Effect()->processDoubleReplacing(ferrix->Effect(), inputs, inputs, 4);
  EXPECT_EQ(left, guarded);
  EXPECT_EQ(right, guarded);
}

TEST(FerrixModule, FactoryPresetsShowTheirTextsAfterAHostsFloatRoundTrip) {
  host::Host host;
  auto ferrix = LoadFerrix(host);
  ASSERT_TRUE(ferrix);
  ferrix->Open();
  // What a host without state chunks does: store getParameter, later setParameter it back.
  for (int preset = 0; preset < 9; ++preset) {
    ferrix->SetProgram(preset);
    for (int i = 0; i < 9; ++i) {
      const std::string direct = ferrix->ParamDisplay(i);
      ferrix->SetParam(i, ferrix->GetParam(i));
      EXPECT_EQ(ferrix->ParamDisplay(i), direct) << ferrix->ProgramName() << ", parameter " << i;
    }
  }
}

// A plain value as effString2Parameter reads it: a value text for switches, else the number.
std::string ValueText(const host::Plugin& ferrix, int index, double value) {
  const bool stepped = ferrix.Dispatch(effVendorSpecific, 8, index) == 0xBEEF;
  if (stepped) return value >= 0.5 ? "on" : "off";
  char text[64];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

void Apply(const host::Plugin& ferrix, const SceneEvent& event) {
  switch (event.kind) {
    case SceneEvent::kLoadPreset:
      ferrix.Dispatch(effSetProgram, 0, event.index);
      break;
    case SceneEvent::kSetParam:
      ASSERT_TRUE(
          ferrix.String2Parameter(event.index, ValueText(ferrix, event.index, event.value)));
      break;
    case SceneEvent::kReset:
      ferrix.SetMains(false);
      ferrix.SetMains(true);
      break;
    case SceneEvent::kOpen:
      ferrix.Open();
      break;
  }
}

std::vector<double> RenderThroughModule(const Scene& scene, StereoSignal in) {
  host::Host host;
  auto ferrix = LoadFerrix(host);
  if (!ferrix) return {};
  ferrix->SetBlockSize(scene.blockSize);
  ferrix->SetSampleRate(scene.sampleRate);
  if (scene.openFirst) ferrix->Open();
  ferrix->SetSampleRate(scene.sampleRate);  // the reset after opening
  ferrix->SetMains(true);

  StereoSignal out{std::vector<double>(in.left.size()), std::vector<double>(in.left.size())};
  size_t next = 0;
  for (int frame = 0; frame < in.Frames();) {
    while (next < scene.events.size() && scene.events[next].frame == frame)
      Apply(*ferrix, scene.events[next++]);
    int frames = std::min(scene.blockSize, in.Frames() - frame);
    if (next < scene.events.size()) frames = std::min(frames, scene.events[next].frame - frame);
    double* inputs[2] = {in.left.data() + frame, in.right.data() + frame};
    double* outputs[2] = {out.left.data() + frame, out.right.data() + frame};
    ferrix->Effect()->processDoubleReplacing(ferrix->Effect(), inputs, outputs, frames);
    frame += frames;
  }
  return Interleave(out);
}

TEST(FerrixModule, EveryReferenceSceneSoundsBitForBitThroughTheModule) {
  const std::string data = NativePath(FERRIX_REFERENCE_RENDERS);
  for (const Scene& scene : ReferenceScenes()) {
    std::vector<double> input, expected;
    ASSERT_TRUE(ReadDoubles(data + "/" + scene.input + ".in", &input)) << scene.input;
    ASSERT_TRUE(ReadDoubles(data + "/" + scene.name + ".out", &expected)) << scene.name;
    const std::vector<double> output = RenderThroughModule(scene, Deinterleave(input));
    ASSERT_EQ(output.size(), expected.size()) << scene.name;
    size_t first = 0;
    while (first < output.size() && std::memcmp(&output[first], &expected[first], 8) == 0)
      ++first;
    EXPECT_EQ(first, output.size()) << scene.name << ": first different frame " << first / 2;
  }
}

}  // namespace
}  // namespace ferrix::vst::testing
