// EffectBase: the host-neutral part of every effect: parameters, presets and state chunks,
// channel configuration and the processing frame, identity, and the plug-in lock. The host
// binding derives from it and supplies the operations that talk to the host.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "plugin_core/ChannelPairing.h"
#include "plugin_core/InputChannel.h"
#include "plugin_core/MidiMessage.h"
#include "plugin_core/OutputChannel.h"
#include "plugin_core/PlugParam.h"
#include "plugin_core/PresetSlot.h"
#include "plugin_core/TransportInfo.h"
#include "support/PointerList.h"
#include "support/RecursiveLock.h"
#include "support/StateChunk.h"

class EffectEditor;

class EffectBase {
 public:
  static constexpr int kNameSize = 128;
  static constexpr int kPresetCount = 20;
  static constexpr int32_t kChunkMagic = 0x70666674;  // "tffp" in file order
  static constexpr int32_t kChunkVersion = 0x00010000;
  // The largest block the scratch buffers hold; longer processing calls run in slices. A host
  // asking for more (up to INT32_MAX) would otherwise cost gigabytes per channel.
  static constexpr int kMaxBlockSize = 65536;

  EffectBase(int nParams, const char* channelIO, const char* effectName, const char* vendorName,
             const char* productName, int32_t version, int32_t uniqueId, int32_t manufacturerCode,
             int latency, bool usesStateChunks, bool isInstrument, int32_t interfaceKind);
  EffectBase(const EffectBase&) = delete;
  EffectBase& operator=(const EffectBase&) = delete;

  // Virtual operations; their order is the plug-in's fixed interface.
  virtual ~EffectBase();
  virtual void ResetState();
  virtual void ParamChanged(int index);
  virtual void ProcessBlockDouble(double** inputs, double** outputs, int frames);
  virtual void ProcessBlockFloat(float** inputs, float** outputs, int frames);
  virtual void EditorOpened() {}
  virtual void EditorClosed() {}
  // Reserved hooks (slots 7, 15, 17 and 38): nothing calls them; they keep the slot order.
  virtual void ReservedHook7() {}
  virtual void ActivationChanged(bool active);
  virtual void MidiReceived(const MidiMessage* message) { SendMidi(message); }
  virtual bool NoteName(int note, char* text);
  virtual bool WriteState(StateChunk* chunk) { return SerializeParams(chunk); }
  virtual int ReadState(const StateChunk* chunk, int position) {
    return UnserializeParams(chunk, position);
  }
  // values[position + i] against parameter i, compared as floats.
  virtual bool StateMatches(const double* values, int position);
  virtual void EditorResized() {}
  virtual bool ReservedHook15() { return false; }
  virtual void HostIdentified() {}
  virtual void ReservedHook17() {}
  virtual void SetParamFromEditor(int index, double normalized);
  virtual void BeginParamGesture(int index) = 0;
  virtual void ReportParamValue(int index, double normalized) = 0;
  virtual void EndParamGesture(int index) = 0;
  virtual void ReportProgramChange() = 0;
  virtual bool IsOfflineRender() { return false; }
  virtual int64_t HostSamplePosition() = 0;
  virtual double HostTempo() = 0;
  virtual void HostTimeSignature(int* numerator, int* denominator) = 0;
  virtual void HostTransport(TransportInfo* info) = 0;
  virtual int32_t IdentifyHost() { return hostKind_; }
  virtual int32_t InterfaceKind() { return interfaceKind_; }
  virtual void ResizeEditor(int width, int height) = 0;
  virtual void HostSetup() {}
  // Pushes the parameter values into the editor's controls and takes ownership of it.
  virtual void AttachEditor(EffectEditor* editor);
  // Capped at kMaxBlockSize.
  virtual void ChangeBlockSize(int frames);
  virtual void ChangeLatency(int frames) { latency_ = frames; }
  virtual bool SendMidi(const MidiMessage* message) = 0;
  virtual bool SendMidiList(std::span<const MidiMessage> messages) = 0;
  virtual void RefreshParamControls();
  virtual void ReservedHook38() {}
  virtual void PresetsChanged() {}
  // After the fixed slots. Processes 32-bit host buffers without widening them: the k-th buffer
  // is channel k's, all channels connected, no output partly overlapping another buffer
  // (outputs may be inputs). Replaces or adds to the outputs; must give the bits the widening
  // path gives. Answers false when the effect has no such path, and the base widens instead.
  virtual bool ProcessBlockFloatDirect(float** inputs, float** outputs, int frames,
                                       bool accumulate);

  // Identity.
  const char* EffectName() const { return effectName_; }
  const char* ProductName() const { return productName_; }
  const char* VendorName() const { return vendorName_; }
  int32_t UniqueId() const { return uniqueId_; }
  int32_t ManufacturerCode() const { return manufacturerCode_; }
  int32_t Version() const { return version_; }
  int32_t HostKind() const { return hostKind_; }
  int32_t HostVersion() const { return hostVersion_; }
  void SetHostKind(int32_t kind, int32_t version) {
    hostKind_ = kind;
    hostVersion_ = version;
  }
  bool UsesStateChunks() const { return usesStateChunks_; }
  bool IsInstrument() const { return isInstrument_; }

  // Parameters.
  int NParams() const { return params_.Count(); }
  // Null outside 0 .. NParams() - 1.
  PlugParam* GetParam(int index) const { return params_.Get(index); }
  // ParamChanged for every parameter, in index order.
  void AnnounceAllParams();

  // Host settings.
  double SampleRate() const { return sampleRate_; }
  void SetSampleRate(double rate) { sampleRate_ = rate; }
  int BlockSize() const { return blockSize_; }
  int Latency() const { return latency_; }
  EffectEditor* Editor() const { return editor_; }
  RecursiveLock& Lock() { return lock_; }

  // Channels.
  int NInputs() const { return inputs_.Count(); }
  int NOutputs() const { return outputs_.Count(); }
  // Null outside the channel range.
  InputChannel* GetInput(int index) const { return inputs_.Get(index); }
  OutputChannel* GetOutput(int index) const { return outputs_.Get(index); }
  int NChannelPairings() const { return pairings_.Count(); }
  const ChannelPairing* GetChannelPairing(int index) const { return pairings_.Get(index); }
  // True when some pairing has these counts; a negative count matches any.
  bool LegalIO(int inputs, int outputs) const;
  // Disconnecting points the channel's slot at its own scratch.
  void SetInputConnected(int index, bool connected);
  void SetOutputConnected(int index, bool connected);
  void RestrictToStereo();

  // Processing frame: map the host's buffers onto the 64-bit channel pointers, run
  // ProcessBlockDouble, and narrow 32-bit results back (replacing or adding). 32-bit buffers go
  // to ProcessBlockFloatDirect instead where it can take them. Takes the plug-in lock. frames
  // must not exceed the block size.
  void ProcessFloatBuffers(float** inputs, float** outputs, int frames, bool accumulate);
  void ProcessDoubleBuffers(double** inputs, double** outputs, int frames);

  // Presets.
  int NPresets() const { return presets_.Count(); }
  int CurrentPresetIndex() const { return currentPreset_; }
  // "" outside 0 .. NPresets() - 1.
  const char* GetPresetName(int index) const;
  const PresetSlot* GetPreset(int index) const { return presets_.Get(index); }
  // Up to count uninitialised slots take the name (null: "Empty") and the current values.
  void FillEmptyPresets(const char* name, int count);
  // The name, then one value per parameter: int for Bool, Int and Enum parameters, double for
  // the others.
  void AddPreset(const char* name, ...);
  bool LoadPreset(int index);
  // Stores the current values into the current preset; a non-empty name renames it.
  void ModifyCurrentPreset(const char* name = nullptr);

  // State chunks.
  bool SerializeParams(StateChunk* chunk);
  int UnserializeParams(const StateChunk* chunk, int position);
  static void StartChunk(StateChunk* chunk);
  // Answers the version, 0 without a header; moves position past the header.
  static int32_t ReadChunkHeader(const StateChunk* chunk, int* position);
  bool SerializePresets(StateChunk* chunk);
  int UnserializePresets(const StateChunk* chunk, int position);
  // The host's get-chunk request: a bank chunk (all presets) or a program chunk (current
  // values) into the binding's buffer. Answers false when writing failed.
  bool BuildStateChunk(StateChunk* chunk, bool bank);
  // The host's set-chunk request on the binding's buffer, already holding the host's bytes.
  // Answers the final read position (-1: the data ran out); refreshes the controls when >= 0.
  int ApplyStateChunk(const StateChunk* chunk, bool bank);

 private:
  void ParseChannelIO(const char* channelIO);
  bool AllChannelsConnected() const;
  void WidenProcessNarrow(float** inputs, float** outputs, int frames, bool accumulate);
  static void PointSlotAtScratch(double** slot, std::vector<double>& scratch);
  PresetSlot* FirstUninitialisedPreset() const;

  PointerList<ChannelPairing> pairings_;
  RecursiveLock lock_;
  char effectName_[kNameSize] = {};
  char productName_[kNameSize] = {};
  char vendorName_[kNameSize] = {};
  int32_t uniqueId_;
  int32_t manufacturerCode_;
  int32_t version_;
  int32_t interfaceKind_;
  int32_t hostKind_ = -1;
  int32_t hostVersion_ = 0;
  bool usesStateChunks_;
  bool isInstrument_;
  int32_t currentPreset_ = 0;
  double sampleRate_ = 44100.0;
  int32_t blockSize_ = 0;
  int32_t latency_;
  EffectEditor* editor_ = nullptr;
  PointerList<PlugParam> params_;
  PointerList<PresetSlot> presets_;
  std::unique_ptr<double*[]> inputPointers_;
  std::unique_ptr<double*[]> outputPointers_;
  PointerList<InputChannel> inputs_;
  PointerList<OutputChannel> outputs_;
};
