// The host callback: the answers real hosts give, the transport as plug-ins read it, and the
// request log the tests rely on.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "host/Host.h"

namespace ferrix::host {
namespace {

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

TEST(HostCallback, TimeInfoIsAPlaying44TransportAt120BpmThatAdvancesWithBlocks) {
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
}

TEST(HostCallback, UnknownAndUnofferedRequestsAnswerZero) {
  Host host;
  EXPECT_EQ(Ask(host, audioMasterProcessEvents), 0);
  EXPECT_EQ(Ask(host, audioMasterSizeWindow), 0);
  EXPECT_EQ(Ask(host, audioMasterIOChanged), 0);
  EXPECT_EQ(Ask(host, 9999), 0);
}

TEST(HostCallback, RecordsEveryRequestWithItsArgumentsFromAnyThread) {
  Host host;
  AEffect effect{};
  effect.user = &host;
  char feature[] = "sendVstTimeInfo";
  Host::Callback()(&effect, audioMasterAutomate, 3, 0, nullptr, 0.25f);
  Host::Callback()(&effect, audioMasterCanDo, 0, 0, feature, 0.0f);
  const std::vector<HostRequest> requests = host.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].opcode, audioMasterAutomate);
  EXPECT_EQ(requests[0].index, 3);
  EXPECT_EQ(requests[0].opt, 0.25f);
  EXPECT_EQ(requests[1].text, "sendVstTimeInfo");

  host.ClearRequests();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 500; ++i)
        Host::Callback()(&effect, audioMasterGetTime, 0, 0, nullptr, 0.0f);
    });
  }
  for (std::thread& t : threads)
    t.join();
  EXPECT_EQ(host.CountRequests(audioMasterGetTime), 2000);
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
