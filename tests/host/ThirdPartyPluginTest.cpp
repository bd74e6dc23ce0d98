// Real third-party Linux plug-ins from Debian's packages as peers: ferrix-host must load them
// (one exports only `main`), render through them and list their parameters. Linux build only;
// skipped, with the package named, where a file is absent (failed under CI: MissingTool).
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>

#include "host/audio/Render.h"
#include "host/plugin/Plugin.h"
#include "tests/MissingTool.h"
#include "tests/host/HostTestSupport.h"

namespace ferrix::host::testing {
namespace {

struct Peer {
  const char* path;
  const char* package;  // Debian's
  std::vector<const char*> paramNames;
  // LSP's limiter leaves about 12 KB of its own allocations behind when it is unloaded, which
  // LeakSanitizer turns into a failed run: under the sanitizers it is skipped.
  bool leaksAtUnload = false;
};

// Empty when the peer is installed; otherwise why the test cannot run.
std::string Absence(const Peer& peer) {
  if (std::filesystem::exists(peer.path)) return {};
  return MissingTool(peer.path,
                     std::string(peer.path) + " is not installed (package " + peer.package + ")");
}

bool SkipUnderSanitizers(const Peer& peer) {
  return FERRIX_SANITIZED && peer.leaksAtUnload;
}

void PrintTo(const Peer& peer, std::ostream* os) {
  *os << peer.path;
}

const Peer kZaMaximX2{
    "/usr/lib/vst/ZaMaximX2-vst.so", "zam-plugins", {"Release", "Output Ceiling", "Threshold"}};
const Peer kLspLimiter{"/usr/lib/vst/lsp-plugins/limiter-stereo.so",
                       "lsp-plugins-vst",
                       {"g_in", "g_out", "th", "knee"},
                       true};
const Peer kSoulForce{
    "/usr/lib/vst/SoulForce-vst.so", "dpf-plugins-vst", {"Shape", "FBack", "Source", "Foot"}};

// Two seconds of a hot (peaks at +4 dBFS) stereo signal, so that limiters have work to do.
AudioData HotSignal() {
  AudioData audio = TestSignal(2, 88200);
  for (auto& channel : audio.channels) {
    for (double& v : channel)
      v *= 2.0;
  }
  return audio;
}

class ThirdPartyPlugin : public ::testing::TestWithParam<Peer> {
 protected:
  void SetUp() override {
    if (const std::string why = Absence(GetParam()); !why.empty()) GTEST_SKIP() << why;
    if (SkipUnderSanitizers(GetParam())) GTEST_SKIP() << "leaks at unload (not our code)";
  }
  ScratchDir scratch;
};

TEST_P(ThirdPartyPlugin, RendersFiniteChangedAudioOfTheInputsLength) {
  const std::string input = scratch.File("in.wav");
  const std::string output = scratch.File("out.wav");
  WriteTestWav(input, HotSignal());
  const AudioData in = ReadBack(input);
  const ProcessResult r = RunHost({"--plugin", GetParam().path, input, output});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const AudioData out = ReadBack(output);
  ASSERT_EQ(out.ChannelCount(), 2);
  ASSERT_EQ(out.Frames(), in.Frames());
  double largestChange = 0.0;
  for (int c = 0; c < 2; ++c) {
    for (int64_t i = 0; i < out.Frames(); ++i) {
      ASSERT_TRUE(std::isfinite(out.channels[c][i]));
      largestChange = std::max(largestChange, std::fabs(out.channels[c][i] - in.channels[c][i]));
    }
  }
  EXPECT_GT(largestChange, 0.01);
}

TEST_P(ThirdPartyPlugin, ListShowsItsParameterNames) {
  const ProcessResult r = RunHost({"--plugin", GetParam().path, "--list"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* name : GetParam().paramNames)
    EXPECT_NE(r.out.find(name), std::string::npos) << name;
}

INSTANTIATE_TEST_SUITE_P(Peers, ThirdPartyPlugin,
                         ::testing::Values(kZaMaximX2, kLspLimiter, kSoulForce),
                         [](const auto& info) {
                           const std::string file =
                               std::filesystem::path(info.param.path).stem().string();
                           std::string name;
                           for (char c : file)
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST(ThirdPartyPeers, ZaMaximX2IsFoundThroughItsMainEntry) {
  if (const std::string why = Absence(kZaMaximX2); !why.empty()) GTEST_SKIP() << why;
  Host host;
  LoadResult loaded = Plugin::Load(kZaMaximX2.path, host);
  ASSERT_TRUE(loaded.plugin) << loaded.message;
  EXPECT_EQ(loaded.plugin->EffectName(), "ZaMaximX2");
}

TEST(ThirdPartyPeers, LspLimiterReadsTheTransportEveryBlock) {
  if (const std::string why = Absence(kLspLimiter); !why.empty()) GTEST_SKIP() << why;
  if (SkipUnderSanitizers(kLspLimiter)) GTEST_SKIP() << "leaks at unload (not our code)";
  Host host;
  LoadResult loaded = Plugin::Load(kLspLimiter.path, host);
  ASSERT_TRUE(loaded.plugin) << loaded.message;
  Plugin& plugin = *loaded.plugin;
  plugin.Open();
  plugin.SetSampleRate(44100.0);
  plugin.SetBlockSize(512);
  host.ResetRequestCounts();
  AudioData output;
  std::string error;
  ASSERT_TRUE(Render(plugin, host, HotSignal(), RenderSettings{512, false}, output, error))
      << error;
  const int blocks = (88200 + 511) / 512;
  EXPECT_GE(host.CountRequests(audioMasterGetTime), blocks);
  EXPECT_EQ(host.SamplePosition(), 88200.0);
}

TEST(ThirdPartyPeers, MainJobRunsWithAThirdPartyPlugin) {
  // None of the installed peers has more than one program; ZaMaximX2 has one, so one file.
  if (const std::string why = Absence(kZaMaximX2); !why.empty()) GTEST_SKIP() << why;
  ScratchDir scratch;
  const ProcessResult r = RunHost({"--plugin", kZaMaximX2.path, "--out-dir", scratch.File("out")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(scratch.File("out") + "/00-Default.wav")) << r.out;
}

}  // namespace
}  // namespace ferrix::host::testing
