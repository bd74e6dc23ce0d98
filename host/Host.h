// The host side of the VST 2.4 conversation: answers every request a plug-in makes through its
// host callback the way real hosts do, keeps the transport, and records each request for tests.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "vst/VstAbi.h"

namespace ferrix::host {

// One request a plug-in made; `text` holds the string passed with audioMasterCanDo.
struct HostRequest {
  int32_t opcode = 0;
  int32_t index = 0;
  VstIntPtr value = 0;
  float opt = 0.0f;
  std::string text;
};

class Host {
 public:
  static constexpr const char* kProductName = "ferrix-host";
  static constexpr const char* kVendorName = "Ferrix";
  static constexpr int32_t kVendorVersion = 10003;  // 1.0.3, decimal-coded
  static constexpr double kTempo = 120.0;

  Host();

  // The callback handed to a module's entry. It finds its Host through AEffect::user, or, while an
  // entry runs (the record does not exist yet), through the Host that is creating a plug-in.
  static audioMasterCallback Callback();

  // Serialises entry calls, so that requests during construction reach the right Host.
  class CreationScope {
   public:
    explicit CreationScope(Host& host);
    ~CreationScope();
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;
  };

  void SetSampleRate(double rate);
  void SetBlockSize(int32_t frames);
  void SetProcessLevel(int32_t level);  // kVstProcessLevelOffline while rendering a file
  void SetPluginDirectory(const std::string& directory);
  void RewindTransport();
  void AdvanceTransport(int32_t frames);  // after each processed block

  double SampleRate() const;
  int32_t BlockSize() const;
  double SamplePosition() const;

  VstIntPtr Answer(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                   float opt);

  std::vector<HostRequest> Requests() const;
  int CountRequests(int32_t opcode) const;
  void ClearRequests();

 private:
  VstTimeInfo* FillTimeInfo();

  mutable std::mutex mutex_;
  double sampleRate_ = 44100.0;
  int32_t blockSize_ = 512;
  int32_t processLevel_ = kVstProcessLevelUser;
  double samplePosition_ = 0.0;
  std::string pluginDirectory_;
  VstTimeInfo timeInfo_{};
  std::vector<HostRequest> requests_;
};

}  // namespace ferrix::host
