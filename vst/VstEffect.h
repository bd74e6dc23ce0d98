// VstEffect: binds EffectBase to the VST 2.4 host interface. Holds the effect record handed to
// the host, answers the dispatcher and the audio and parameter callbacks, and makes every
// request towards the host.
//
// Threads: every callback of the record takes the plug-in lock for its whole duration, except
// that the editor is opened and closed (effEditOpen, effEditClose, effClose) without it: that may
// wait for the editor's thread. The gesture requests run on the editor's thread without it.
// Nothing here throws to the host.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "plugin_core/EffectBase.h"
#include "support/StateChunk.h"
#include "vst/VstAbi.h"

class VstEffect : public EffectBase {
 public:
  // The callback is stored unchecked; a null one makes every request towards the host answer 0.
  VstEffect(audioMasterCallback host, int nParams, const char* channelIO, const char* effectName,
            const char* vendorName, const char* productName, int32_t version, int32_t uniqueId,
            int32_t manufacturerCode, int latency, bool usesStateChunks, bool isInstrument);
  // The chunk buffers go first, then EffectBase with the editor, parameters and presets.
  ~VstEffect() override = default;

  AEffect* Record() { return &record_; }
  // The effect behind a record, or null when the record holds none.
  static VstEffect* FromRecord(AEffect* record);

  const ERect& EditRect() const { return editRect_; }
  // Bit 0: the host asked for "hasVextaneExtensions"; bit 1: for "hasVextaneViewAsConfig".
  int32_t VendorExtensions() const { return vendorExtensions_; }
  const VstSpeakerArrangement& InputArrangement() const { return inputArrangement_; }
  const VstSpeakerArrangement& OutputArrangement() const { return outputArrangement_; }

  // The product name lowered and searched in the host-name table; 0 when nothing matches.
  static int32_t MatchHostName(const char* name);

  // Operations towards the host.
  void BeginParamGesture(int index) override;
  void ReportParamValue(int index, double normalized) override;
  void EndParamGesture(int index) override;
  void ReportProgramChange() override;
  bool IsOfflineRender() override;
  int64_t HostSamplePosition() override;
  double HostTempo() override;
  void HostTimeSignature(int* numerator, int* denominator) override;
  void HostTransport(TransportInfo* info) override;
  // Asks the host once per object; later calls answer the stored kind.
  int32_t IdentifyHost() override;
  bool SendMidi(const MidiMessage* message) override;
  bool SendMidiList(std::span<const MidiMessage> messages) override;

  // Binding overrides of the editor, latency and set-up operations.
  void ResizeEditor(int width, int height) override;
  void HostSetup() override;
  void AttachEditor(EffectEditor* editor) override;
  void ChangeLatency(int frames) override;

 private:
  // The record's entry points (dispatcher in VstDispatcher.cpp, the others in VstCallbacks.cpp).
  static VstIntPtr Dispatcher(AEffect* record, int32_t opcode, int32_t index, VstIntPtr value,
                              void* ptr, float opt);
  static void Process(AEffect* record, float** inputs, float** outputs, int32_t frames);
  static void ProcessReplacing(AEffect* record, float** inputs, float** outputs, int32_t frames);
  static void ProcessDoubleReplacing(AEffect* record, double** inputs, double** outputs,
                                     int32_t frames);
  static void SetParameter(AEffect* record, int32_t index, float value);
  static float GetParameter(AEffect* record, int32_t index);

  VstIntPtr Dispatch(int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr CopyParamText(int32_t opcode, int32_t index, char* text);
  VstIntPtr GetChunk(bool bank, void** data);
  VstIntPtr SetChunk(bool bank, const void* data, VstIntPtr size);
  VstIntPtr ProcessEvents(const VstEvents* events);
  VstIntPtr String2Parameter(int32_t index, const char* text);
  VstIntPtr PinProperties(bool input, int32_t index, VstPinProperties* properties);
  void SetSpeakerArrangement(const VstSpeakerArrangement* inputs,
                             const VstSpeakerArrangement* outputs);
  VstIntPtr VendorSpecific(int32_t index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr CanDo(const char* feature);

  // Runs the block in slices of at most the block size; the scratch buffers are that long.
  void ProcessFloat(float** inputs, float** outputs, int32_t frames, bool accumulate);
  void ProcessDouble(double** inputs, double** outputs, int32_t frames);
  void SetParameterLocked(int32_t index, float value);

  // Every request towards the host; 0 without a host callback.
  VstIntPtr CallHost(int32_t opcode, int32_t index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  const VstTimeInfo* HostTime(int32_t mask);
  bool SendEvent(VstEvent* event);

  ERect editRect_{};
  audioMasterCallback host_;
  VstSpeakerArrangement inputArrangement_{};
  VstSpeakerArrangement outputArrangement_{};
  bool hostSetupDone_ = false;
  bool takesMidi_ = false;
  int32_t vendorExtensions_ = 0;
  StateChunk programChunk_;
  StateChunk bankChunk_;
  AEffect record_{};
  // Host buffer pointers moved on by the frames already done, one per channel; filled on the
  // audio thread, so allocated here.
  std::vector<float*> sliceInputs_, sliceOutputs_;
  std::vector<double*> sliceInputsDouble_, sliceOutputsDouble_;
};
