// The host callback: the answers real hosts give, the transport as plug-ins read it, its request
// counters, and the tests' own recording host built on its observer hook.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "host/plugin/Host.h"

namespace ferrix::host {
namespace {

// One request a plug-in made; `text` holds the string passed with audioMasterCanDo.
struct HostRequest {
  int32_t opcode = 0;
  int32_t index = 0;
  VstIntPtr value = 0;
  float opt = 0.0f;
  std::string text;
};

// The full request log, for tests only: the program's host keeps counters.
class RecordingHost : public Host {
 public:
  std::vector<HostRequest> requests;

 protected:
  void Observe(int32_t opcode, int32_t index, VstIntPtr value, const void* ptr,
               float opt) override {
    HostRequest request{opcode, index, value, opt, {}};
    if (opcode == audioMasterCanDo && ptr != nullptr) request.text = static_cast<const char*>(ptr);
    requests.push_back(request);
  }
};

VstIntPtr Ask(Host& host, int32_t opcode, VstIntPtr value = 0, void* ptr = nullptr) {
  AEffect effect{};
  effect.user = &host;
  return Host::Callback()(&effect, opcode, 0, value, ptr, 0.0f);
}

TEST(HostCallback, IdentifiesItselfAsAVst24Host) {
  Host host;
  EXPECT_EQ(Ask(host, audioMasterVersion), 2400);
  char product[256] = {};
  EXPECT_EQ(Ask(host, audioMasterGetProductString, 0, product), 1);
  EXPECT_STREQ(product, "ferrix-host");
  char vendor[256] = {};
  Ask(host, audioMasterGetVendorString, 0, vendor);
  EXPECT_STREQ(vendor, "Ferrix");
  EXPECT_EQ(Ask(host, audioMasterGetVendorVersion), 10003);
  EXPECT_EQ(Ask(host, audioMasterGetLanguage), kVstLangEnglish);
}

TEST(HostCallback, AnswersRateBlockSizeAndProcessLevel) {
  Host host;
  host.SetSampleRate(48000.0);
  host.SetBlockSize(8192);
  EXPECT_EQ(Ask(host, audioMasterGetSampleRate), 48000);
  EXPECT_EQ(Ask(host, audioMasterGetBlockSize), 8192);
  EXPECT_EQ(Ask(host, audioMasterGetCurrentProcessLevel), kVstProcessLevelUser);
  host.SetProcessLevel(kVstProcessLevelOffline);
  EXPECT_EQ(Ask(host, audioMasterGetCurrentProcessLevel), 4);
}

TEST(HostCallback, CanDoSaysYesOnlyToWhatThisHostOffers) {
  Host host;
  char timeInfo[] = "sendVstTimeInfo";
  char startStop[] = "startStopProcess";
  char sizeWindow[] = "sizeWindow";
  char events[] = "sendVstEvents";
  EXPECT_EQ(Ask(host, audioMasterCanDo, 0, timeInfo), 1);
  EXPECT_EQ(Ask(host, audioMasterCanDo, 0, startStop), 1);
  EXPECT_EQ(Ask(host, audioMasterCanDo, 0, sizeWindow), 0);
  EXPECT_EQ(Ask(host, audioMasterCanDo, 0, events), 0);
  EXPECT_EQ(Ask(host, audioMasterCanDo, 0, nullptr), 0);
}

TEST(HostCallback, TimeInfoIsAPlaying44TransportAt120BpmThatAdvancesWithBlocksPerThread) {
  Host host;
  host.SetSampleRate(44100.0);
  auto* t = reinterpret_cast<VstTimeInfo*>(Ask(host, audioMasterGetTime, kVstTempoValid));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->samplePos, 0.0);
  EXPECT_EQ(t->sampleRate, 44100.0);
  EXPECT_EQ(t->tempo, 120.0);
  EXPECT_EQ(t->timeSigNumerator, 4);
  EXPECT_EQ(t->timeSigDenominator, 4);
  const int32_t needed =
      kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  EXPECT_EQ(t->flags & needed, needed);

  // Half a second at 120 BPM is one quarter note; 4.5 s is 9 quarters, in the bar from 8.
  host.AdvanceTransport(22050);
  t = reinterpret_cast<VstTimeInfo*>(Ask(host, audioMasterGetTime, 0x3E00));
  EXPECT_EQ(t->samplePos, 22050.0);
  EXPECT_DOUBLE_EQ(t->ppqPos, 1.0);
  EXPECT_EQ(t->barStartPos, 0.0);
  EXPECT_DOUBLE_EQ(t->nanoSeconds, 0.5e9);
  host.AdvanceTransport(176400);
  t = reinterpret_cast<VstTimeInfo*>(Ask(host, audioMasterGetTime, 0x3E00));
  EXPECT_DOUBLE_EQ(t->ppqPos, 9.0);
  EXPECT_EQ(t->barStartPos, 8.0);
  host.RewindTransport();
  EXPECT_EQ(reinterpret_cast<VstTimeInfo*>(Ask(host, audioMasterGetTime))->samplePos, 0.0);

  // The editor thread's answer stays as it was while the audio thread advances and asks.
  const auto* editorTime = reinterpret_cast<VstTimeInfo*>(Ask(host, audioMasterGetTime));
  double audioPosition = 0.0;
  std::thread audio([&] {
    host.AdvanceTransport(22050);
    audioPosition = reinterpret_cast<VstTimeInfo*>(Ask(host, audioMasterGetTime))->samplePos;
  });
  audio.join();
  EXPECT_EQ(audioPosition, 22050.0);
  EXPECT_EQ(editorTime->samplePos, 0.0);
  EXPECT_EQ(editorTime->ppqPos, 0.0);
}

TEST(HostCallback, UnknownAndUnofferedRequestsAnswerZero) {
  Host host;
  EXPECT_EQ(Ask(host, audioMasterProcessEvents), 0);
  EXPECT_EQ(Ask(host, audioMasterSizeWindow), 0);
  EXPECT_EQ(Ask(host, audioMasterIOChanged), 0);
  EXPECT_EQ(Ask(host, 9999), 0);
}

TEST(HostCallback, ObserverSeesEveryRequestAndCountersHoldFromAnyThread) {
  RecordingHost host;
  AEffect effect{};
  effect.user = &host;
  char feature[] = "sendVstTimeInfo";
  Host::Callback()(&effect, audioMasterAutomate, 3, 0, nullptr, 0.25f);
  Host::Callback()(&effect, audioMasterCanDo, 0, 0, feature, 0.0f);
  Host::Callback()(&effect, audioMasterGetTime, 0, kVstTempoValid, nullptr, 0.0f);
  ASSERT_EQ(host.requests.size(), 3u);
  EXPECT_EQ(host.requests[0].opcode, audioMasterAutomate);
  EXPECT_EQ(host.requests[0].index, 3);
  EXPECT_EQ(host.requests[0].opt, 0.25f);
  EXPECT_EQ(host.requests[1].text, "sendVstTimeInfo");
  EXPECT_EQ(host.LastTimeRequestFlags(), kVstTempoValid);

  host.ResetRequestCounts();
  EXPECT_EQ(host.CountRequests(audioMasterGetTime), 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 500; ++i)
        Host::Callback()(&effect, audioMasterGetTime, 0, kVstPpqPosValid, nullptr, 0.0f);
    });
  }
  for (std::thread& t : threads)
    t.join();
  EXPECT_EQ(host.CountRequests(audioMasterGetTime), 2000);
  EXPECT_EQ(host.LastTimeRequestFlags(), kVstPpqPosValid);
  // Opcodes outside the known range are answered (with 0) but not counted.
  EXPECT_EQ(Host::Callback()(&effect, 9999, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(host.CountRequests(9999), 0);
  EXPECT_EQ(host.CountRequests(-1), 0);
}

TEST(HostCallback, RequestsDuringConstructionReachTheCreatingHost) {
  // A plug-in may call the host from its entry, before its record exists or has `user` set.
  Host host;
  {
    Host::CreationScope scope(host);
    EXPECT_EQ(Host::Callback()(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 44100);
  }
  EXPECT_EQ(host.CountRequests(audioMasterGetSampleRate), 1);
  // Outside any creation only the version is answered.
  EXPECT_EQ(Host::Callback()(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
  EXPECT_EQ(Host::Callback()(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 0);
}

}  // namespace
}  // namespace ferrix::host
