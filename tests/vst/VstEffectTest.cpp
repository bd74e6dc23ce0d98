// VstEffect in-process, with a recording host callback: the editor hand-over, automation from the
// editor, the time and transport queries, MIDI output, offline detection, host-name edges, and
// the record for other channel configurations.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "plugin_core/EffectEditor.h"
#include "tests/vst/ProbeEffect.h"

namespace {

struct Call {
  int32_t opcode;
  int32_t index;
  VstIntPtr value;
  float opt;
};

// One host for the tests of this file; single-threaded.
struct FakeHost {
  std::vector<Call> calls;
  const VstTimeInfo* time = nullptr;
  VstIntPtr answer = 0;  // for every request but the time request
} gHost;

VstIntPtr HostCallback(AEffect*, int32_t opcode, int32_t index, VstIntPtr value, void*, float opt) {
  gHost.calls.push_back({opcode, index, value, opt});
  if (opcode == audioMasterGetTime) return reinterpret_cast<VstIntPtr>(gHost.time);
  return gHost.answer;
}

class VstEffectTest : public ::testing::Test {
 protected:
  VstEffectTest() { gHost = FakeHost{}; }
  ProbeEffect effect{&HostCallback};
  AEffect* record = effect.Record();
};

class SizedEditor : public EffectEditor {
 public:
  std::vector<std::pair<int, double>> normalized, plain;
  int width = 640, height = 480;
  void SetControlsFromPlugin(int index, double value) override {
    normalized.emplace_back(index, value);
  }
  void SetParamFromPlugin(int index, double value, bool) override {
    plain.emplace_back(index, value);
  }
  void PrepareDrawing() override {}
  int Width() const override { return width; }
  int Height() const override { return height; }
};

TEST_F(VstEffectTest, AttachedEditorSetsTheFlagAndTheEditRectangle) {
  auto* editor = new SizedEditor;
  effect.AttachEditor(editor);
  EXPECT_EQ(record->flags, 0x1019);
  ERect* rect = nullptr;
  EXPECT_EQ(record->dispatcher(record, effEditGetRect, 0, 0, &rect, 0.0f), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 480);
  EXPECT_EQ(rect->right, 640);
  editor->width = 800;
  effect.ResizeEditor(1, 1);  // the editor's own size counts, not the arguments
  EXPECT_EQ(rect->right, 800);

  // Host values reach the controls normalised, text values as plain values.
  record->setParameter(record, 0, 0.5f);
  EXPECT_EQ(editor->normalized.back(), (std::pair<int, double>(0, 0.5)));
  char text[8] = "3";
  record->dispatcher(record, effString2Parameter, 0, 0, text, 0.0f);
  EXPECT_EQ(editor->plain.back(), (std::pair<int, double>(0, 3.0)));
  EXPECT_TRUE(gHost.calls.empty());
}

TEST_F(VstEffectTest, EditorEditsAreBracketedAndReportedToTheHost) {
  effect.BeginParamGesture(0);
  effect.SetParamFromEditor(0, 0.75);
  effect.EndParamGesture(0);
  ASSERT_EQ(gHost.calls.size(), 3u);
  EXPECT_EQ(gHost.calls[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(gHost.calls[1].opcode, audioMasterAutomate);
  EXPECT_EQ(gHost.calls[1].index, 0);
  EXPECT_EQ(gHost.calls[1].opt, 0.75f);
  EXPECT_EQ(gHost.calls[2].opcode, audioMasterEndEdit);
  EXPECT_EQ(effect.GetParam(0)->Value(), 3.0);
  effect.ReportProgramChange();
  EXPECT_EQ(gHost.calls.back().opcode, audioMasterUpdateDisplay);
}

TEST_F(VstEffectTest, TimeQueriesTrustOnlyWhatTheHostMarksValid) {
  EXPECT_EQ(effect.HostTempo(), 0.0);  // no record
  EXPECT_EQ(effect.HostSamplePosition(), 0);
  EXPECT_EQ(gHost.calls[0].value, kVstTempoValid);
  EXPECT_EQ(gHost.calls[1].value, 0);

  VstTimeInfo time{};
  time.samplePos = 10.5;
  time.tempo = 0.0;
  time.timeSigNumerator = 0;
  time.timeSigDenominator = 4;
  time.ppqPos = 3.0;
  gHost.time = &time;
  EXPECT_EQ(effect.HostSamplePosition(), 11);
  time.tempo = 98.0;
  EXPECT_EQ(effect.HostTempo(), 0.0);  // not marked valid
  time.flags = kVstTempoValid | kVstTimeSigValid | kVstTransportPlaying;
  EXPECT_EQ(effect.HostTempo(), 98.0);
  int numerator = -1, denominator = -1;
  effect.HostTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 0);  // 0 is accepted here
  EXPECT_EQ(denominator, 4);

  TransportInfo info;
  info.timeSigNumerator = 3;
  info.timeSigDenominator = 8;
  effect.HostTransport(&info);
  EXPECT_EQ(gHost.calls.back().value, 0x3E00);
  EXPECT_EQ(info.samplePosition, 10.5);
  EXPECT_EQ(info.tempo, 98.0);
  EXPECT_EQ(info.quarterNotePosition, 0.0);  // ppq not marked valid
  EXPECT_EQ(info.timeSigNumerator, 3);       // but not here
  EXPECT_TRUE(info.transportRunning);
  EXPECT_FALSE(info.cycleActive);

  time.samplePos = -1.0;
  EXPECT_EQ(effect.HostSamplePosition(), 0);
  time.flags = kVstTransportPlaying;  // none of the requested bits: nothing changes
  TransportInfo untouched;
  effect.HostTransport(&untouched);
  EXPECT_EQ(untouched.samplePosition, 0.0);
  EXPECT_FALSE(untouched.transportRunning);
}

TEST_F(VstEffectTest, MidiOutputAndOfflineDetectionFollowTheHostsAnswers) {
  const MidiMessage messages[] = {{0, 0x90, 60, 100}, {3, 0x80, 60, 0}};
  EXPECT_FALSE(effect.SendMidiList(messages));
  EXPECT_EQ(gHost.calls.size(), 2u);  // every message is attempted
  EXPECT_FALSE(effect.IsOfflineRender());
  gHost.answer = 1;
  EXPECT_TRUE(effect.SendMidiList(messages));
  gHost.answer = kVstProcessLevelOffline;
  EXPECT_TRUE(effect.IsOfflineRender());
}

TEST_F(VstEffectTest, WithoutACallbackHostRequestsAnswerZero) {
  ProbeEffect orphan(nullptr);
  const MidiMessage note{0, 0x90, 60, 100};
  EXPECT_FALSE(orphan.SendMidi(&note));
  EXPECT_FALSE(orphan.IsOfflineRender());
  EXPECT_EQ(orphan.HostTempo(), 0.0);
  EXPECT_EQ(orphan.IdentifyHost(), 0);
  orphan.SetParamFromEditor(0, 0.5);
  EXPECT_EQ(orphan.GetParam(0)->Value(), 2.0);
}

// The end-to-end tests cover capitals, table order and versions; these are the edges.
TEST(HostNames, OnlyTheFirst255CharactersAreSearchedAndSpacesCount) {
  EXPECT_EQ(VstEffect::MatchHostName("Pro Tools"), 0);  // the table has "protools"
  EXPECT_EQ(VstEffect::MatchHostName("Ardour 8"), 28);
  EXPECT_EQ(VstEffect::MatchHostName(""), 0);
  EXPECT_EQ(VstEffect::MatchHostName(std::string(250, 'x').append("cubase").c_str()), 0);
  EXPECT_EQ(VstEffect::MatchHostName(std::string(249, 'x').append("CUBASE").c_str()), 3);
}

TEST_F(VstEffectTest, RecordFollowsTheChannelConfigurationAndLatency) {
  ProbeEffect stereoOnly(&HostCallback, "2-2");
  EXPECT_EQ(stereoOnly.Record()->flags, 0x1010);  // no one-input pairing
  effect.ChangeLatency(64);
  EXPECT_EQ(record->initialDelay, 64);
  EXPECT_EQ(effect.Latency(), 64);
  EXPECT_EQ(effect.BlockSize(), 1024);
}

TEST_F(VstEffectTest, RefusedSampleRatesLeaveTheRateAlone) {
  for (float rate : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity()}) {
    record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, rate);
  }
  EXPECT_EQ(effect.SampleRate(), 44100.0);
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(effect.SampleRate(), 48000.0);
}

TEST_F(VstEffectTest, AbsurdBlockSizesAreCappedAndLongerCallsSliced) {
  record->dispatcher(record, effSetBlockSize, 0, INT32_MAX, nullptr, 0.0f);
  EXPECT_EQ(effect.BlockSize(), EffectBase::kMaxBlockSize);
  EXPECT_EQ(effect.GetInput(1)->scratch.size(), 65536u);
  EXPECT_EQ(effect.GetOutput(1)->scratch.size(), 65536u);
  // Through the scratch, one frame more than it holds: y = x + y / 2 on ones, 1, 1.5 ... 2.
  const int frames = 65537;
  std::vector<float> ones(frames, 1.0f), left(frames), right(frames);
  float* inputs[2] = {ones.data(), ones.data()};
  float* outputs[2] = {left.data(), right.data()};
  record->processReplacing(record, inputs, outputs, frames);
  EXPECT_EQ(left[1], 1.5f);
  EXPECT_EQ(right[frames - 1], 2.0f);
}

}  // namespace
