// VstEffect: construction of the effect record and the speaker arrangements, destruction, and
// the editor, latency and host set-up operations.
#include "vst/VstEffect.h"

#include <algorithm>

#include "plugin_core/EffectEditor.h"

namespace {

constexpr int32_t kVstInterface = 0;
constexpr int kInitialBlockSize = 1024;

// Hosts among these drive the plug-in with stereo channels only ("forte", "audition",
// "orion", "sawstudio").
bool RestrictsToStereo(int32_t hostKind) {
  return hostKind == 15 || hostKind == 17 || hostKind == 18 || hostKind == 20;
}

int32_t ArrangementType(int channels) {
  switch (channels) {
    case 0:
      return kSpeakerArrEmpty;
    case 1:
      return kSpeakerArrMono;
    case 2:
      return kSpeakerArrStereo;
    default:
      return kSpeakerArrUserDefined;
  }
}

// Packed 0xMMMMmmrr as the decimal-coded major * 10000 + minor * 100 + revision.
int32_t DecimalVersion(int32_t packed) {
  return (packed >> 16) * 10000 + ((packed >> 8) & 0xFF) * 100 + (packed & 0xFF);
}

int16_t RectSide(int pixels) {
  return static_cast<int16_t>(pixels);
}

}  // namespace

VstEffect::VstEffect(audioMasterCallback host, int nParams, const char* channelIO,
                     const char* effectName, const char* vendorName, const char* productName,
                     int32_t version, int32_t uniqueId, int32_t manufacturerCode, int latency,
                     bool usesStateChunks, bool isInstrument)
    : EffectBase(nParams, channelIO, effectName, vendorName, productName, version, uniqueId,
                 manufacturerCode, latency, usesStateChunks, isInstrument, kVstInterface),
      host_(host) {
  record_.magic = kEffectMagic;
  record_.dispatcher = &VstEffect::Dispatcher;
  record_.process = &VstEffect::Process;
  record_.setParameter = &VstEffect::SetParameter;
  record_.getParameter = &VstEffect::GetParameter;
  record_.numPrograms = NPresets();
  record_.numParams = NParams();
  record_.numInputs = NInputs();
  record_.numOutputs = NOutputs();
  record_.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
  if (LegalIO(1, -1)) record_.flags |= effFlagsMonoDeprecated;
  record_.initialDelay = Latency();
  record_.ioRatio = 1.0f;
  record_.object = this;
  record_.uniqueID = UniqueId();
  record_.version = DecimalVersion(Version());
  record_.processReplacing = &VstEffect::ProcessReplacing;
  record_.processDoubleReplacing = &VstEffect::ProcessDoubleReplacing;

  inputArrangement_.type = ArrangementType(NInputs());
  inputArrangement_.numChannels = NInputs();
  outputArrangement_.type = ArrangementType(NOutputs());
  outputArrangement_.numChannels = NOutputs();

  for (int i = 0; i < std::min(record_.numInputs, NInputs()); ++i)
    SetInputConnected(i, true);
  for (int i = 0; i < std::min(record_.numOutputs, NOutputs()); ++i)
    SetOutputConnected(i, true);
  sliceInputs_.resize(static_cast<size_t>(std::max(NInputs(), 1)));
  sliceOutputs_.resize(static_cast<size_t>(std::max(NOutputs(), 1)));
  sliceInputsDouble_.resize(sliceInputs_.size());
  sliceOutputsDouble_.resize(sliceOutputs_.size());
  ChangeBlockSize(kInitialBlockSize);
}

VstEffect* VstEffect::FromRecord(AEffect* record) {
  return record ? static_cast<VstEffect*>(record->object) : nullptr;
}

void VstEffect::AttachEditor(EffectEditor* editor) {
  if (!editor) return;
  EffectBase::AttachEditor(editor);
  // Hosts offer an editor only where a window can show it.
  if (editor->CanOpenWindow()) record_.flags |= effFlagsHasEditor;
  editRect_ = ERect{0, 0, RectSide(editor->Height()), RectSide(editor->Width())};
}

void VstEffect::ResizeEditor(int /*width*/, int /*height*/) {
  EffectEditor* editor = Editor();
  if (!editor) return;
  editRect_ = ERect{0, 0, RectSide(editor->Height()), RectSide(editor->Width())};
  EditorResized();
}

void VstEffect::ChangeLatency(int frames) {
  EffectBase::ChangeLatency(frames);
  record_.initialDelay = frames;
}

void VstEffect::HostSetup() {
  if (hostSetupDone_) return;
  hostSetupDone_ = true;
  if (RestrictsToStereo(IdentifyHost())) RestrictToStereo();
  record_.numInputs = NInputs();
  record_.numOutputs = NOutputs();
  inputArrangement_.numChannels = NInputs();
  outputArrangement_.numChannels = NOutputs();
  HostIdentified();
}
