// The effect record as a host receives it from the built module's entry, the program slots the
// entry fills, several effects per module, and a host that passes no callback.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {
namespace {

TEST(ModuleRecord, ReportsTheEffectsIdentityChannelsAndCapabilities) {
  ScriptedHost host;
  LoadedModule module(ProbeModule(), &host);
  ASSERT_NE(module.effect, nullptr);
  const AEffect& e = *module.effect;
  EXPECT_EQ(e.magic, 0x56737450);
  EXPECT_EQ(e.numPrograms, 20);
  EXPECT_EQ(e.numParams, 9);
  EXPECT_EQ(e.numInputs, 2);
  EXPECT_EQ(e.numOutputs, 2);
  // Replacing, double replacing and the mono flag ("1-1" is legal); no editor yet.
  EXPECT_EQ(e.flags, 0x1018);
  EXPECT_EQ(e.uniqueID, 0x35313476);
  EXPECT_EQ(e.version, 10003);
  EXPECT_EQ(e.ioRatio, 1.0f);
  EXPECT_EQ(e.initialDelay, 0);
  EXPECT_NE(e.object, nullptr);
  EXPECT_NE(e.dispatcher, nullptr);
  EXPECT_NE(e.process, nullptr);
  EXPECT_NE(e.processReplacing, nullptr);
  EXPECT_NE(e.processDoubleReplacing, nullptr);
  EXPECT_NE(e.setParameter, nullptr);
  EXPECT_NE(e.getParameter, nullptr);
  // The entry makes no request of its own.
  EXPECT_TRUE(host.requests.empty());
}

TEST(ModuleRecord, MainIsTheSameEntryAsVstPluginMain) {
  ScriptedHost host;
  LoadedModule module(ProbeModule(), &host, "main");
  ASSERT_NE(module.effect, nullptr);
  EXPECT_EQ(module.effect->uniqueID, 0x35313476);
  EXPECT_EQ(module.Text(effGetProgramNameIndexed, 19), "Empty");
}

TEST(ModuleRecord, EntryFillsTheUnusedProgramSlotsWithEmpty) {
  ScriptedHost host;
  LoadedModule module(ProbeModule(), &host);
  EXPECT_EQ(module.Text(effGetProgramNameIndexed, 0), "-");
  EXPECT_EQ(module.Text(effGetProgramNameIndexed, 1), "Loud");
  EXPECT_EQ(module.Text(effGetProgramNameIndexed, 2), "Bypassed");
  for (int i = 3; i < 20; ++i)
    EXPECT_EQ(module.Text(effGetProgramNameIndexed, i), "Empty") << i;
  EXPECT_EQ(module.Dispatch(effGetProgram), 0);
}

TEST(ModuleRecord, EachEntryCallCreatesAnIndependentEffect) {
  ScriptedHost host;
  LoadedModule module(ProbeModule(), &host);
  AEffect* second = module.CreateAnother(&host);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, module.effect);
  EXPECT_NE(second->object, module.effect->object);
  second->setParameter(second, 0, 1.0f);
  EXPECT_EQ(second->getParameter(second, 0), 1.0f);
  EXPECT_EQ(module.effect->getParameter(module.effect, 0), 0.25f);
  second->dispatcher(second, effClose, 0, 0, nullptr, 0.0f);
}

TEST(ModuleRecord, SpeakerArrangementsAreStereoWithTwoChannels) {
  ScriptedHost host;
  LoadedModule module(ProbeModule(), &host);
  VstSpeakerArrangement* in = nullptr;
  VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(module.Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out),
            1);
  ASSERT_NE(in, nullptr);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(in->type, kSpeakerArrStereo);
  EXPECT_EQ(in->numChannels, 2);
  EXPECT_EQ(out->type, kSpeakerArrStereo);
  EXPECT_EQ(out->numChannels, 2);
  // The input location may be missing; without the output location nothing is written.
  out = nullptr;
  EXPECT_EQ(module.Dispatch(effGetSpeakerArrangement, 0, 0, &out), 1);
  EXPECT_NE(out, nullptr);
  in = nullptr;
  EXPECT_EQ(module.Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in)), 0);
  EXPECT_EQ(in, nullptr);
}

TEST(ModuleRecord, PinsPairUpAsStereoAndAreLabelledFromOne) {
  ScriptedHost host;
  LoadedModule module(ProbeModule(), &host);
  VstPinProperties pin{};
  ASSERT_EQ(module.Dispatch(effGetInputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Input 1");
  EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
  ASSERT_EQ(module.Dispatch(effGetOutputProperties, 1, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "Output 2");
  EXPECT_EQ(pin.flags, kVstPinIsActive);
  EXPECT_EQ(module.Dispatch(effGetInputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(module.Dispatch(effGetOutputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(module.Dispatch(effGetInputProperties, 0, 0, nullptr), 0);
}

TEST(ModuleRecord, WithoutAHostCallbackEveryRequestTowardsTheHostIsSkipped) {
  LoadedModule module(ProbeModule(), nullptr);
  ASSERT_NE(module.effect, nullptr);
  // Opening identifies the host; resets, MIDI thru and events all talk to the host.
  EXPECT_EQ(module.Dispatch(effOpen), 0);
  EXPECT_EQ(module.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
  EXPECT_EQ(module.Dispatch(effMainsChanged, 0, 0), 0);
  VstMidiEvent note{kVstMidiType, 32, 0, 0, 0, 0, {'\x90', 60, 100, 0}, 0, 0, 0, 0};
  VstEvents events{1, 0, {reinterpret_cast<VstEvent*>(&note), nullptr}};
  EXPECT_EQ(module.Dispatch(effProcessEvents, 0, 0, &events), 1);
  module.effect->setParameter(module.effect, 0, 0.5f);
  EXPECT_EQ(module.effect->getParameter(module.effect, 0), 0.5f);
}

}  // namespace
}  // namespace ferrix::vst::testing
