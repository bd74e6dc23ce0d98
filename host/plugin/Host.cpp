// Host answers: fixed identity, the current rate and block size, a playing 4/4 transport at
// 120 BPM whose position advances with every block, and "yes" for the features this host has.
#include "host/plugin/Host.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

namespace ferrix::host {
namespace {

std::mutex gCreationMutex;
Host* gCreatingHost = nullptr;

// Features this host offers when a plug-in asks audioMasterCanDo. It sends no events and takes
// none back.
constexpr std::array<std::string_view, 2> kHostCanDo = {"sendVstTimeInfo", "startStopProcess"};

VstIntPtr HostCallback(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                       float opt) {
  Host* host = effect != nullptr ? static_cast<Host*>(effect->user) : nullptr;
  if (host == nullptr) host = gCreatingHost;
  if (host == nullptr) return opcode == audioMasterVersion ? kVstVersion : 0;
  return host->Answer(effect, opcode, index, value, ptr, opt);
}

void CopyText(void* ptr, const char* text, size_t capacity) {
  if (ptr == nullptr) return;
  char* out = static_cast<char*>(ptr);
  std::strncpy(out, text, capacity - 1);
  out[capacity - 1] = '\0';
}

}  // namespace

Host::Host() = default;

audioMasterCallback Host::Callback() {
  return &HostCallback;
}

Host::CreationScope::CreationScope(Host& host) {
  gCreationMutex.lock();
  gCreatingHost = &host;
}

Host::CreationScope::~CreationScope() {
  gCreatingHost = nullptr;
  gCreationMutex.unlock();
}

void Host::SetSampleRate(double rate) {
  std::lock_guard lock(mutex_);
  sampleRate_ = rate;
}

void Host::SetBlockSize(int32_t frames) {
  std::lock_guard lock(mutex_);
  blockSize_ = frames;
}

void Host::SetProcessLevel(int32_t level) {
  std::lock_guard lock(mutex_);
  processLevel_ = level;
}

void Host::SetPluginDirectory(const std::string& directory) {
  std::lock_guard lock(mutex_);
  pluginDirectory_ = directory;
}

void Host::RewindTransport() {
  std::lock_guard lock(mutex_);
  samplePosition_ = 0.0;
}

void Host::AdvanceTransport(int32_t frames) {
  std::lock_guard lock(mutex_);
  samplePosition_ += frames;
}

double Host::SampleRate() const {
  std::lock_guard lock(mutex_);
  return sampleRate_;
}

int32_t Host::BlockSize() const {
  std::lock_guard lock(mutex_);
  return blockSize_;
}

double Host::SamplePosition() const {
  std::lock_guard lock(mutex_);
  return samplePosition_;
}

VstTimeInfo* Host::FillTimeInfo() {
  // Each thread gets a record of its own, rewritten only by its own next request: the editor
  // thread reading its answer never sees the audio thread's request change it underneath.
  // Every field is always valid here, so the request mask changes nothing.
  static thread_local VstTimeInfo timeInfo;
  VstTimeInfo& t = timeInfo;
  t = VstTimeInfo{};
  t.samplePos = samplePosition_;
  t.sampleRate = sampleRate_;
  const double seconds = samplePosition_ / sampleRate_;
  t.nanoSeconds = seconds * 1e9;
  t.tempo = kTempo;
  t.ppqPos = seconds * kTempo / 60.0;
  t.timeSigNumerator = 4;
  t.timeSigDenominator = 4;
  t.barStartPos = std::floor(t.ppqPos / 4.0) * 4.0;
  t.flags = kVstTransportPlaying | kVstNanosValid | kVstPpqPosValid | kVstTempoValid |
            kVstBarsValid | kVstTimeSigValid;
  return &t;
}

VstIntPtr Host::Answer(AEffect* /*effect*/, int32_t opcode, int32_t index, VstIntPtr value,
                       void* ptr, float opt) {
  std::lock_guard lock(mutex_);
  Observe(opcode, index, value, ptr, opt);
  ++counts_[static_cast<size_t>(opcode >= 0 && opcode < kCountedOpcodes ? opcode
                                                                        : kCountedOpcodes)];
  if (opcode == audioMasterGetTime) lastTimeRequestFlags_ = value;

  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(FillTimeInfo());
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(sampleRate_);
    case audioMasterGetBlockSize:
      return blockSize_;
    case audioMasterGetCurrentProcessLevel:
      return processLevel_;
    case audioMasterGetAutomationState:
      return kVstAutomationOff;
    case audioMasterGetVendorString:
      CopyText(ptr, kVendorName, kVstMaxVendorStrLen);
      return 1;
    case audioMasterGetProductString:
      CopyText(ptr, kProductName, kVstMaxProductStrLen);
      return 1;
    case audioMasterGetVendorVersion:
      return kVendorVersion;
    case audioMasterGetLanguage:
      return kVstLangEnglish;
    case audioMasterGetDirectory:
      return reinterpret_cast<VstIntPtr>(pluginDirectory_.c_str());
    case audioMasterCanDo:
      if (ptr == nullptr) return 0;
      for (std::string_view feature : kHostCanDo) {
        if (feature == static_cast<const char*>(ptr)) return 1;
      }
      return 0;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterUpdateDisplay:
      return 1;  // noted; an offline host has nothing to redraw or record
    default:
      return 0;  // events, window sizing, idle, I/O changes: not offered by an offline host
  }
}

int64_t Host::CountRequests(int32_t opcode) const {
  std::lock_guard lock(mutex_);
  return opcode >= 0 && opcode < kCountedOpcodes ? counts_[static_cast<size_t>(opcode)] : 0;
}

void Host::ResetRequestCounts() {
  std::lock_guard lock(mutex_);
  counts_.fill(0);
}

VstIntPtr Host::LastTimeRequestFlags() const {
  std::lock_guard lock(mutex_);
  return lastTimeRequestFlags_;
}

}  // namespace ferrix::host
