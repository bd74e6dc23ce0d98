// The host library driving a module in-process: loading and its errors, the typed dispatcher
// helpers, the three processing callbacks, and preset transfer in chunk and parameter-list form.
#include <gtest/gtest.h>

#include "host/audio/ProcessBuffers.h"
#include "host/audio/Render.h"
#include "host/plugin/Plugin.h"
#include "host/plugin/PluginControl.h"
#include "host/presets/PresetTransfer.h"
#include "tests/host/HostTestSupport.h"

namespace ferrix::host {
namespace {

using testing::GainChunksModule;
using testing::GainParamsModule;
using testing::NativePath;

std::unique_ptr<Plugin> LoadOpen(const std::string& path, Host& host) {
  LoadResult loaded = Plugin::Load(path, host);
  EXPECT_EQ(loaded.error, LoadError::kNone) << loaded.message;
  if (loaded.plugin) {
    loaded.plugin->Open();
    loaded.plugin->SetSampleRate(44100.0);
    loaded.plugin->SetBlockSize(64);
  }
  return std::move(loaded.plugin);
}

TEST(PluginLoad, ModulesThatAreNotPluginsGiveTheirOwnError) {
  Host host;
  struct Case {
    std::string path;
    LoadError error;
    const char* words;
  };
  const Case cases[] = {
      {NativePath(BROKEN_NO_ENTRY_MODULE), LoadError::kNoEntry, "no VSTPluginMain or main"},
      {NativePath(BROKEN_NULL_ENTRY_MODULE), LoadError::kEntryAnsweredNull, "created no effect"},
      {NativePath(BROKEN_WRONG_MAGIC_MODULE), LoadError::kWrongMagic, "wrong magic"},
      {NativePath(FERRIX_HOST_EXE) + ".missing", LoadError::kCannotOpen, "no such plug-in"},
  };
  for (const Case& c : cases) {
    LoadResult loaded = Plugin::Load(c.path, host);
    EXPECT_EQ(loaded.plugin, nullptr);
    EXPECT_EQ(loaded.error, c.error) << c.path;
    EXPECT_NE(loaded.message.find(c.path), std::string::npos);
    EXPECT_NE(loaded.message.find(c.words), std::string::npos) << loaded.message;
  }
}

TEST(PluginLoad, TypedRequestsReadTheRecordNamesAndPrograms) {
  Host host;
  auto plugin = LoadOpen(GainParamsModule(), host);
  ASSERT_TRUE(plugin);
  EXPECT_EQ(plugin->Effect()->user, &host);
  EXPECT_EQ(plugin->EffectName(), "Test Gain Params");
  EXPECT_EQ(plugin->VendorString(), "Ferrix tests");
  EXPECT_EQ(ParamNames(*plugin), (std::vector<std::string>{"Gain", "Polarity", "Crash"}));
  EXPECT_EQ(ProgramNames(*plugin),
            (std::vector<std::string>{"Unity", "Half", "Double", "Inverted"}));
  EXPECT_EQ(plugin->ParamDisplay(0), "1.000");
  EXPECT_EQ(plugin->ParamLabel(0), "x");

  std::string error;
  ASSERT_TRUE(SelectProgram(*plugin, "double", error));
  EXPECT_EQ(plugin->Program(), 2);
  ASSERT_TRUE(SelectProgram(*plugin, "3", error));
  EXPECT_EQ(plugin->ProgramName(), "Inverted");
  ASSERT_TRUE(SetParamByName(*plugin, "gain", "1.5", error));  // the plug-in's own text
  EXPECT_EQ(plugin->GetParam(0), 0.75f);
  ASSERT_TRUE(SetParamByName(*plugin, "Gain", "@0.25", error));
  EXPECT_EQ(plugin->GetParam(0), 0.25f);
  EXPECT_FALSE(SetParamByName(*plugin, "Polarity", "sideways", error));
  EXPECT_FALSE(SetParamByName(*plugin, "Gain", "@1.5", error));
  EXPECT_FALSE(SelectProgram(*plugin, "9", error));
  EXPECT_NE(error.find("\"Unity\", \"Half\", \"Double\", \"Inverted\""), std::string::npos);
}

TEST(PluginLoad, AllThreeProcessingCallbacksReachThePlugin) {
  Host host;
  auto plugin = LoadOpen(GainParamsModule(), host);
  ASSERT_TRUE(plugin);
  plugin->SetProgram(2);  // "Double": gain 2
  ProcessBuffers buffers(2, 2, 4);
  const double in[4] = {0.25, -0.5, 0.125, 0.0};
  buffers.SetInput(0, in, 4);
  buffers.SetInput(1, in, 3);  // the rest of the block is silence

  buffers.Process(plugin->Effect(), ProcessMode::kReplacing, 4);
  EXPECT_EQ(buffers.Output(0, 1), -1.0);
  EXPECT_EQ(buffers.Output(1, 2), 0.25);
  buffers.Process(plugin->Effect(), ProcessMode::kDoubleReplacing, 4);
  EXPECT_EQ(buffers.Output(0, 0), 0.5);
  // Accumulating adds onto what the outputs hold.
  buffers.FillOutputs(1.0);
  buffers.Process(plugin->Effect(), ProcessMode::kAccumulate, 4);
  EXPECT_EQ(buffers.Output(0, 0), 1.5);
  EXPECT_EQ(buffers.Output(0, 3), 1.0);
}

TEST(PluginLoad, RenderSwitchesProcessingOnAndOffAndAdvancesTheTransport) {
  Host host;
  auto plugin = LoadOpen(GainParamsModule(), host);
  ASSERT_TRUE(plugin);
  const AudioData input = testing::TestSignal(1, 150);
  AudioData output;
  std::string error;
  ASSERT_TRUE(Render(*plugin, host, input, RenderSettings{64, false}, output, error)) << error;
  ASSERT_EQ(output.ChannelCount(), 1);
  ASSERT_EQ(output.Frames(), 150);
  for (int i = 0; i < 150; ++i)
    EXPECT_EQ(output.channels[0][i], static_cast<float>(input.channels[0][i]));
  EXPECT_EQ(host.SamplePosition(), 150.0);  // blocks of 64, 64 and 22

  AudioData threeChannels = testing::TestSignal(3, 10);
  EXPECT_FALSE(Render(*plugin, host, threeChannels, RenderSettings{64, false}, output, error));
  EXPECT_NE(error.find("channel mismatch"), std::string::npos);
}

// Captures a program or bank, changes the plug-in, applies the capture and expects the values.
void ExpectPresetRoundTrip(const std::string& module, bool bank) {
  Host host;
  auto plugin = LoadOpen(module, host);
  ASSERT_TRUE(plugin);
  plugin->SetProgram(1);
  plugin->SetParam(0, 0.875f);
  plugin->SetProgramName("Edited");
  PresetFile saved;
  std::string error;
  ASSERT_TRUE(DecodePresetFile(EncodePresetFile(CapturePreset(*plugin, bank)), saved, error));
  EXPECT_EQ(saved.opaque, plugin->HasFlag(effFlagsProgramChunks));

  plugin->SetParam(0, 0.125f);
  plugin->SetProgramName("Changed");
  plugin->SetProgram(0);
  plugin->SetParam(0, 0.0f);
  if (!bank) plugin->SetProgram(1);
  ASSERT_TRUE(ApplyPreset(*plugin, saved, error)) << error;
  EXPECT_EQ(plugin->Program(), 1);
  EXPECT_EQ(plugin->GetParam(0), 0.875f);
  EXPECT_EQ(plugin->ProgramName(), "Edited");
  if (bank) {
    plugin->SetProgram(0);
    EXPECT_EQ(plugin->GetParam(0), 0.5f);  // "Unity" restored too
  }
}

TEST(PluginLoad, PresetsRoundTripAsChunksAndAsParameterLists) {
  for (const std::string& module : {GainChunksModule(), GainParamsModule()}) {
    for (bool bank : {false, true}) {
      SCOPED_TRACE(module + (bank ? " bank" : " program"));
      ExpectPresetRoundTrip(module, bank);
    }
  }
}

TEST(PluginLoad, PresetFromAnotherPluginIsRefused) {
  Host host;
  auto chunks = LoadOpen(GainChunksModule(), host);
  Host otherHost;
  auto params = LoadOpen(GainParamsModule(), otherHost);
  ASSERT_TRUE(chunks && params);
  std::string error;
  EXPECT_FALSE(ApplyPreset(*params, CapturePreset(*chunks, false), error));
  EXPECT_NE(error.find("another plug-in"), std::string::npos);
}

}  // namespace
}  // namespace ferrix::host
