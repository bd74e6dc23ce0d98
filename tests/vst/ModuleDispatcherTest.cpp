// Dispatcher answers of the built module: fixed answers, parameter and program texts, text to
// parameter, vendor-specific requests and capabilities, events, and the settings requests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {
namespace {

class ModuleDispatcher : public ::testing::Test {
 protected:
  ScriptedHost host;
  LoadedModule module{ProbeModule(), &host};

  float Get(int32_t index) { return module.effect->getParameter(module.effect, index); }
  void Set(int32_t index, float value) { module.effect->setParameter(module.effect, index, value); }
  std::string Display(int32_t index) { return module.Text(effGetParamDisplay, index); }
  // A text request into a heap buffer of exactly the host's size, so that AddressSanitizer sees
  // a byte too many, then into one with a guard zone after that size, which any run checks.
  std::string Bounded(size_t size, int32_t opcode, int32_t index = 0, VstIntPtr value = 0,
                      float opt = 0.0f) {
    std::vector<char> exact(size, '#');
    module.Dispatch(opcode, index, value, exact.data(), opt);
    std::vector<char> guarded(size + 64, '#');
    module.Dispatch(opcode, index, value, guarded.data(), opt);
    EXPECT_EQ(std::string(guarded.begin() + static_cast<long>(size), guarded.end()),
              std::string(64, '#'))
        << "request " << opcode;
    return std::string(exact.data(), strnlen(exact.data(), size));
  }
  int Resets() const { return host.Count(audioMasterUpdateDisplay); }
};

TEST_F(ModuleDispatcher, FixedAnswers) {
  EXPECT_EQ(module.Dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(module.Dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(module.Dispatch(effGetPlugCategory), kPlugCategEffect);
  EXPECT_EQ(module.Dispatch(effCanBeAutomated, 0), 1);
  EXPECT_EQ(module.Dispatch(effCanBeAutomated, 99), 1);
  EXPECT_EQ(module.Dispatch(effCanBeAutomated, -1), 1);
  // Idle requests, bypass (declined) and everything outside the table answer 0.
  for (int32_t opcode : {19, 53, 44, 49, 52, 56, 71, 72, 77, 100, -1})
    EXPECT_EQ(module.Dispatch(opcode, 0, 1), 0) << opcode;
  EXPECT_EQ(module.Text(effGetEffectName), "Tessomar");
  EXPECT_EQ(module.Text(effGetVendorString), "Morvane");
  EXPECT_EQ(module.Dispatch(effGetProductString, 0, 0, nullptr), 0);
  char product[64] = "x";
  EXPECT_EQ(module.Dispatch(effGetProductString, 0, 0, product), 1);
  EXPECT_STREQ(product, "");
  // Editor requests answer 0 while the effect has no editor.
  ERect* rect = nullptr;
  EXPECT_EQ(module.Dispatch(effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(module.Dispatch(effEditOpen), 0);
  EXPECT_EQ(module.Dispatch(effEditClose), 0);
}

TEST_F(ModuleDispatcher, ParameterTextsAndNormalisedValues) {
  EXPECT_EQ(module.Text(effGetParamName, 0), "Gain");
  EXPECT_EQ(module.Text(effGetParamLabel, 0), "x");
  EXPECT_EQ(Display(0), "1.00");
  EXPECT_EQ(Display(2), "-3.0");  // shown negated
  EXPECT_EQ(Display(8), "off");
  EXPECT_EQ(module.Text(effGetParamLabel, 8), "");
  // 1 on 0..4; 5 on 0..10 with shape 2 is sqrt(0.5); -10..10 holding 3.
  EXPECT_EQ(Get(0), 0.25f);
  EXPECT_EQ(Get(1), static_cast<float>(std::sqrt(0.5)));
  EXPECT_EQ(Get(3), 0.65f);
  EXPECT_EQ(Get(-1), 0.0f);
  EXPECT_EQ(Get(9), 0.0f);
}

TEST_F(ModuleDispatcher, TextRequestsWithoutABufferOrWithABadIndexWriteNothing) {
  for (int32_t opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName,
                         effGetProgramNameIndexed, effGetProgramName, effGetEffectName,
                         effGetVendorString, effGetChunk, effGetMidiKeyName, effCanDo}) {
    EXPECT_EQ(module.Dispatch(opcode, 0, 0, nullptr), 0) << opcode;
  }
  char text[32] = "untouched";
  for (int32_t opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName}) {
    EXPECT_EQ(module.Dispatch(opcode, 9, 0, text), 0);
    EXPECT_EQ(module.Dispatch(opcode, -1, 0, text), 0);
  }
  EXPECT_STREQ(text, "untouched");
  EXPECT_EQ(module.Dispatch(effGetProgramNameIndexed, 20, 0, text), 0);
  EXPECT_STREQ(text, "");
}

TEST_F(ModuleDispatcher, TextsFitTheBuffersHostsSizeForThemAndStoredNamesStayWhole) {
  std::string longName;
  for (int i = 0; i < 255; ++i)
    longName += static_cast<char>('a' + i % 26);
  module.Dispatch(effSetProgramName, 0, 0, longName.data());
  EXPECT_EQ(Bounded(25, effGetProgramName), longName.substr(0, 24));
  EXPECT_EQ(Bounded(25, effGetProgramNameIndexed, 0), longName.substr(0, 24));
  void* bank = nullptr;
  const VstIntPtr bankSize = module.Dispatch(effGetChunk, 0, 0, &bank);
  EXPECT_NE(std::string(static_cast<char*>(bank), static_cast<size_t>(bankSize)).find(longName),
            std::string::npos);
  // Labels and display texts: 8 characters and the terminator. Gain at a normalised 1e30 would
  // show as "4000000000000000000000000000000.00".
  for (int32_t i = 0; i < 9; ++i) {
    Bounded(9, effGetParamLabel, i);
    Bounded(9, effGetParamDisplay, i);
  }
  EXPECT_EQ(Bounded(9, effVendorSpecific, 7, 0, 1e30f), "40000000");
  EXPECT_EQ(Bounded(32, effGetEffectName), "Tessomar");
  EXPECT_EQ(Bounded(64, effGetVendorString), "Morvane");
  // A cut never splits a UTF-8 character: 22 letters and "é" (2 bytes) fit, "€" (3) does not.
  for (const char* last : {"\xC3\xA9", "\xE2\x82\xAC"}) {
    const std::string name = longName.substr(0, 22) + last + "z";
    module.Dispatch(effSetProgramName, 0, 0, const_cast<char*>(name.c_str()));
    EXPECT_EQ(Bounded(25, effGetProgramName), name.substr(0, 22 + (last[0] == '\xC3') * 2));
  }
}

TEST_F(ModuleDispatcher, SettingAProgramFirstStoresTheCurrentValues) {
  Set(0, 0.75f);  // Gain 3 on the first program
  module.Dispatch(effSetProgram, 0, 1);
  EXPECT_EQ(module.Dispatch(effGetProgram), 1);
  EXPECT_EQ(Display(0), "2.00");  // "Loud"
  module.Dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(Display(0), "3.00");

  Set(0, 0.0f);
  module.Dispatch(effSetProgram, 0, 20);  // out of range: stores, selects nothing
  EXPECT_EQ(module.Dispatch(effGetProgram), 0);
  EXPECT_EQ(Display(0), "0.00");
  module.Dispatch(effSetProgram, 0, 2);
  module.Dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(Display(0), "0.00");

  char name[32] = "Mine";
  module.Dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(module.Text(effGetProgramName), "Mine");
  EXPECT_EQ(module.Dispatch(effSetProgramName, 0, 0, nullptr), 0);
  EXPECT_EQ(module.Text(effGetProgramNameIndexed, 0), "Mine");
}

TEST_F(ModuleDispatcher, TextToParameter) {
  auto text = [this](int32_t index, const char* value) {
    char copy[32];
    std::strcpy(copy, value);
    return module.Dispatch(effString2Parameter, index, 0, copy);
  };
  EXPECT_EQ(text(0, "2.5"), 1);
  EXPECT_EQ(Display(0), "2.50");
  EXPECT_EQ(text(0, "9"), 1);  // clamped to the maximum
  EXPECT_EQ(Display(0), "4.00");
  EXPECT_EQ(text(2, "-6"), 1);  // a negated display reads negated text
  EXPECT_EQ(Display(2), "-6.0");
  EXPECT_EQ(text(8, "on"), 1);
  EXPECT_EQ(Display(8), "on");
  EXPECT_EQ(text(8, "OFF"), 0);  // value texts compare exactly
  EXPECT_EQ(Display(8), "on");
  EXPECT_EQ(text(9, "1"), 0);
  // A text that is no number is not understood and changes nothing.
  EXPECT_EQ(text(0, "loud"), 0);
  EXPECT_EQ(text(0, ""), 0);
  EXPECT_EQ(Display(0), "4.00");
  EXPECT_EQ(text(0, " +1.5"), 1);
  EXPECT_EQ(Display(0), "1.50");
  EXPECT_EQ(module.Dispatch(effString2Parameter, 0, 0, nullptr), 1);
  EXPECT_EQ(module.Dispatch(effString2Parameter, 9, 0, nullptr), 0);
  // The host is not told.
  EXPECT_EQ(host.Count(audioMasterAutomate), 0);
}

TEST_F(ModuleDispatcher, VendorSpecificRequests) {
  char text[32] = "untouched";
  // Index 7: display text of a normalised value.
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 7, 1, text, 0.5f), 0xBEEF);
  EXPECT_STREQ(text, "2.5");  // Drive: 10 * 0.5^2
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 7, 8, text, 1.0f), 0xBEEF);
  EXPECT_STREQ(text, "on");
  std::strcpy(text, "untouched");
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 7, 9, text, 0.5f), 0xBEEF);
  EXPECT_STREQ(text, "untouched");
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 7, 0, nullptr, 0.5f), 0);
  // Index 8: stepped (not Double) parameters.
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 8, 8), 0xBEEF);
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 8, 0), 0);
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 8, 9), 0);
  EXPECT_EQ(module.Dispatch(effVendorSpecific, 6, 8), 0);
}

TEST_F(ModuleDispatcher, Capabilities) {
  auto canDo = [this](const char* feature) {
    char copy[64];
    std::strcpy(copy, feature);
    return module.Dispatch(effCanDo, 0, 0, copy);
  };
  EXPECT_EQ(canDo("receiveVstTimeInfo"), 1);
  EXPECT_EQ(canDo("hasVextaneExtensions"), 0xBEEF0000);
  EXPECT_EQ(canDo("hasVextaneViewAsConfig"), 0xBEEF0000);
  for (const char* midi : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents",
                           "receiveVstMidiEvent", "ReceiveVstTimeInfo", "bypass", ""}) {
    EXPECT_EQ(canDo(midi), 0) << midi;
  }
}

TEST_F(ModuleDispatcher, MidiKeyNamesAreEmptied) {
  MidiKeyName key{};
  key.thisKeyNumber = 60;
  std::strcpy(key.keyName, "C4");
  EXPECT_EQ(module.Dispatch(effGetMidiKeyName, 0, 0, &key), 0);
  EXPECT_STREQ(key.keyName, "");
}

// Room for three event pointers where VstEvents declares two.
struct ThreeEvents {
  int32_t numEvents;
  VstIntPtr reserved;
  VstEvent* events[3];
};

TEST_F(ModuleDispatcher, MidiEventsGoBackToTheHostAndOtherEventsUnchanged) {
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = 32;
  note.deltaFrames = 5;
  note.noteLength = 99;  // not carried over
  note.midiData[0] = '\x90';
  note.midiData[1] = 60;
  note.midiData[2] = 100;
  VstEvent sysex{kVstSysExType, 16, 7, 0, {}};
  for (int i = 0; i < 16; ++i)
    sysex.data[i] = static_cast<char>(i + 1);
  ThreeEvents events{3, 0, {reinterpret_cast<VstEvent*>(&note), nullptr, &sysex}};
  EXPECT_EQ(module.Dispatch(effProcessEvents, 0, 0, &events), 1);

  ASSERT_EQ(host.Count(audioMasterProcessEvents), 2);
  const Request& midi = host.requests[0];
  ASSERT_EQ(midi.events.size(), 1u);
  const auto* sent = reinterpret_cast<const VstMidiEvent*>(&midi.events[0]);
  EXPECT_EQ(sent->type, kVstMidiType);
  EXPECT_EQ(sent->byteSize, 32);
  EXPECT_EQ(sent->deltaFrames, 5);
  EXPECT_EQ(sent->noteLength, 0);
  EXPECT_EQ(std::memcmp(sent->midiData, "\x90\x3C\x64\x00", 4), 0);
  ASSERT_EQ(host.requests[1].events.size(), 1u);
  EXPECT_EQ(std::memcmp(&host.requests[1].events[0], &sysex, sizeof sysex), 0);

  host.requests.clear();
  events.numEvents = -1;
  EXPECT_EQ(module.Dispatch(effProcessEvents, 0, 0, &events), 1);
  EXPECT_EQ(module.Dispatch(effProcessEvents, 0, 0, nullptr), 0);
  EXPECT_TRUE(host.requests.empty());
}

TEST_F(ModuleDispatcher, SettingsEndInAResetUnlessTheValueIsRefused) {
  module.Dispatch(effMainsChanged, 0, 1);
  EXPECT_EQ(Resets(), 0);
  module.Dispatch(effMainsChanged, 0, 0);
  EXPECT_EQ(Resets(), 1);
  module.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(Resets(), 2);
  for (float rate : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity()}) {
    module.Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
  }
  EXPECT_EQ(Resets(), 2);
  module.Dispatch(effSetBlockSize, 0, 512);
  EXPECT_EQ(Resets(), 3);
  module.Dispatch(effSetBlockSize, 0, 0);
  module.Dispatch(effSetBlockSize, 0, -64);
  EXPECT_EQ(Resets(), 3);
}

TEST_F(ModuleDispatcher, SpeakerArrangementConnectsTheFirstChannels) {
  VstSpeakerArrangement mono{};
  mono.type = kSpeakerArrMono;
  mono.numChannels = 1;
  VstSpeakerArrangement stereo{};
  stereo.type = kSpeakerArrStereo;
  stereo.numChannels = 2;
  EXPECT_EQ(
      module.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo), 1);
  // The second input now reads its own (silent) scratch and takes no host buffer.
  double in0[2] = {1.0, 1.0}, in1[2] = {5.0, 5.0}, out0[2] = {}, out1[2] = {};
  double* inputs[2] = {in0, in1};
  double* outputs[2] = {out0, out1};
  module.effect->processDoubleReplacing(module.effect, inputs, outputs, 2);
  EXPECT_EQ(out0[1], 1.5);
  EXPECT_EQ(out1[0], 0.0);
  EXPECT_EQ(out1[1], 0.0);
  // Its own arrangement records stay as they are.
  VstSpeakerArrangement* in = nullptr;
  VstSpeakerArrangement* out = nullptr;
  module.Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out);
  EXPECT_EQ(in->numChannels, 2);
  EXPECT_EQ(module.Dispatch(effSetSpeakerArrangement), 1);
}

}  // namespace
}  // namespace ferrix::vst::testing
