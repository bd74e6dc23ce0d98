// The built module towards its host: automation flow, host identification from faked product
// names and versions, and the call orders real hosts and plug-in scanners use (driven through
// the host library's Plugin and Host).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "host/audio/ProcessBuffers.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"
#include "tests/vst/ModuleHost.h"

namespace ferrix::vst::testing {
namespace {

TEST(ModuleAutomation, HostValuesReachTheParameterAndAreNotReportedBack) {
  ScriptedHost host;
  LoadedModule module(ProbeModule(), &host);
  AEffect* e = module.effect;
  e->setParameter(e, 0, 0.5f);
  EXPECT_EQ(e->getParameter(e, 0), 0.5f);
  EXPECT_EQ(module.Text(effGetParamDisplay, 0), "2.00");
  e->setParameter(e, 8, 0.6f);  // a switch rounds to its step
  EXPECT_EQ(e->getParameter(e, 8), 1.0f);
  e->setParameter(e, 9, 1.0f);
  e->setParameter(e, -1, 1.0f);
  EXPECT_EQ(e->getParameter(e, 9), 0.0f);
  for (int32_t opcode : {audioMasterAutomate, audioMasterBeginEdit, audioMasterEndEdit})
    EXPECT_EQ(host.Count(opcode), 0);
}

// What the probe reports after identifying its host: kind, major, minor, revision.
std::vector<int> Findings(const ScriptedHost& host) {
  std::vector<int> values;
  for (const Request& r : host.requests) {
    if (r.opcode != audioMasterProcessEvents) continue;
    const auto* controller = reinterpret_cast<const VstMidiEvent*>(&r.events[0]);
    values.push_back(static_cast<uint8_t>(controller->midiData[2]));
  }
  return values;
}

std::vector<int> Identify(const char* product, VstIntPtr version, ScriptedHost& host) {
  host.product = product;
  host.vendorVersion = version;
  LoadedModule module(ProbeModule(), &host);
  module.Dispatch(effOpen);
  return Findings(host);
}

TEST(ModuleHostIdentification, ProductNamesAreMatchedLowerCasedInTableOrder) {
  struct Case {
    const char* product;
    int kind;
  };
  for (Case c :
       {Case{"Steinberg CUBASE", 3}, Case{"Logic Live Edition", 9}, Case{"Nuendo and Cubase", 3},
        Case{"Adobe Audition", 17}, Case{"Ableton Live", 9}, Case{"Zyx Host", 0}}) {
    ScriptedHost host;
    EXPECT_EQ(Identify(c.product, 80103, host), (std::vector<int>{c.kind, 8, 1, 3})) << c.product;
  }
}

TEST(ModuleHostIdentification, AnEmptyNameAsksNoVersion) {
  ScriptedHost host;
  EXPECT_EQ(Identify(nullptr, 80103, host), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(host.Count(audioMasterGetProductString), 1);
  EXPECT_EQ(host.Count(audioMasterGetVendorVersion), 0);
}

TEST(ModuleHostIdentification, TheHostIsAskedOnlyOnce) {
  ScriptedHost host;
  host.product = "REAPER";
  LoadedModule module(ProbeModule(), &host);
  module.Dispatch(effOpen);
  module.Dispatch(effOpen);
  module.Dispatch(effClose);
  module.effect = nullptr;
  EXPECT_EQ(host.Count(audioMasterGetProductString), 1);
  EXPECT_EQ(host.Count(audioMasterGetVendorVersion), 1);
  EXPECT_EQ(Findings(host).size(), 4u);  // the set-up ran once
}

// Real hosts, through the host library.
class ModuleCallOrders : public ::testing::Test {
 protected:
  host::Host realHost;
  std::unique_ptr<host::Plugin> Load() {
    host::LoadResult loaded = host::Plugin::Load(ProbeModule(), realHost);
    EXPECT_EQ(loaded.error, host::LoadError::kNone) << loaded.message;
    return std::move(loaded.plugin);
  }
};

TEST_F(ModuleCallOrders, SettingsBeforeOpenRateChangesWhileOnAndLongBlocks) {
  auto plugin = Load();
  ASSERT_TRUE(plugin);
  plugin->SetSampleRate(48000.0);
  plugin->SetBlockSize(8192);
  plugin->Open();
  plugin->SetMains(true);
  plugin->SetMains(true);
  host::ProcessBuffers buffers(2, 2, 8192);
  const std::vector<double> ones(8192, 1.0);
  buffers.SetInput(0, ones.data(), 8192);
  buffers.SetInput(1, ones.data(), 8192);
  buffers.Process(plugin->Effect(), host::ProcessMode::kReplacing, 8192);
  EXPECT_EQ(buffers.Output(1, 1), 1.5);
  EXPECT_EQ(buffers.Output(1, 8191), 2.0);
  plugin->SetSampleRate(96000.0);  // resets the state while processing is on
  buffers.Process(plugin->Effect(), host::ProcessMode::kDoubleReplacing, 8192);
  EXPECT_EQ(buffers.Output(0, 1), 1.5);

  EXPECT_EQ(plugin->Dispatch(effIdentify), 0x4E764566);
  plugin->SetProgram(1);  // bracketed by begin/end-set-program
  EXPECT_EQ(plugin->Program(), 1);
  EXPECT_EQ(plugin->ParamDisplay(0), "2.00");
  EXPECT_EQ(plugin->Dispatch(effGetParameterProperties, 0, 0, nullptr), 0);
  EXPECT_EQ(plugin->Dispatch(effSetBypass, 0, 1), 0);
  plugin->StartProcess();
  plugin->StopProcess();
  plugin->SetMains(false);
  plugin->Close();
}

TEST_F(ModuleCallOrders, ScannersOpenQueryAndCloseWithoutProcessing) {
  for (int round = 0; round < 3; ++round) {
    auto plugin = Load();
    ASSERT_TRUE(plugin);
    plugin->Open();
    EXPECT_EQ(plugin->EffectName(), "Tessomar");
    EXPECT_EQ(plugin->VendorString(), "Morvane");
    EXPECT_EQ(plugin->Category(), kPlugCategEffect);
    EXPECT_EQ(plugin->CanDo("receiveVstTimeInfo"), 1);
    EXPECT_EQ(plugin->CanDo("receiveVstMidiEvent"), 0);
    plugin->SetMains(false);  // never switched on
    plugin->Close();
  }
}

TEST_F(ModuleCallOrders, ParametersFromAnotherThreadWhileProcessing) {
  auto plugin = Load();
  ASSERT_TRUE(plugin);
  plugin->Open();
  plugin->SetBlockSize(256);
  plugin->SetMains(true);
  std::atomic<bool> done{false};
  std::thread automation([&] {
    for (int i = 0; i <= 1000; ++i) {
      plugin->SetParam(0, static_cast<float>(i % 5) / 4.0f);
      (void)plugin->GetParam(0);
    }
    done = true;
  });
  host::ProcessBuffers buffers(2, 2, 256);
  while (!done)
    buffers.Process(plugin->Effect(), host::ProcessMode::kReplacing, 256);
  automation.join();
  EXPECT_EQ(plugin->GetParam(0), 0.0f);  // 1000 % 5 == 0
}

}  // namespace
}  // namespace ferrix::vst::testing
