// The host side of the VST 2.4 conversation: answers every request a plug-in makes through its
// host callback the way real hosts do, keeps the transport, and counts the requests. It keeps no
// log: a plug-in may ask for the time every block for hours. Tests that want every request
// override Observe.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>

#include "vst/VstAbi.h"

namespace ferrix::host {

class Host {
 public:
  static constexpr const char* kProductName = "ferrix-host";
  static constexpr const char* kVendorName = "Ferrix";
  static constexpr int32_t kVendorVersion = 10003;  // 1.0.3, decimal-coded
  static constexpr double kTempo = 120.0;

  Host();
  virtual ~Host() = default;

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

  // Any thread. audioMasterGetTime answers a record of the asking thread's own, valid until that
  // thread asks again.
  VstIntPtr Answer(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                   float opt);

  // How many requests with `opcode` arrived since construction or the last reset.
  int64_t CountRequests(int32_t opcode) const;
  void ResetRequestCounts();
  // The flags of the latest audioMasterGetTime request (which transport fields it wanted).
  VstIntPtr LastTimeRequestFlags() const;

 protected:
  // Called for every request, under the host's lock, before it is answered. Runs on the
  // plug-in's threads, the audio thread included: an override must be quick.
  virtual void Observe(int32_t /*opcode*/, int32_t /*index*/, VstIntPtr /*value*/,
                       const void* /*ptr*/, float /*opt*/) {}

 private:
  VstTimeInfo* FillTimeInfo();
  static constexpr int32_t kCountedOpcodes = 64;  // the VST 2.4 host opcodes are below this

  mutable std::mutex mutex_;
  double sampleRate_ = 44100.0;
  int32_t blockSize_ = 512;
  int32_t processLevel_ = kVstProcessLevelUser;
  double samplePosition_ = 0.0;
  std::string pluginDirectory_;
  std::array<int64_t, kCountedOpcodes + 1> counts_{};  // the last slot: any other opcode
  VstIntPtr lastTimeRequestFlags_ = 0;
};

}  // namespace ferrix::host
