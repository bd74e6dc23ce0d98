// EffectBase: construction and destruction, parameter announcements, the editor hand-over and
// the default bodies of the virtual operations.
#include "plugin_core/EffectBase.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "plugin_core/EffectEditor.h"
#include "support/TracePoint.h"

namespace {

constexpr int kTimeZoneLetters = 63;

// "%Y%m%d %H:%M " and the upper-case letters of the time-zone name, for the construction trace.
const char* ConstructionTimeStamp() {
  static char stamp[128];
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return "";
  const size_t length = std::strftime(stamp, sizeof stamp, "%Y%m%d %H:%M ", local);
  char zone[64] = {};
  std::strftime(zone, sizeof zone, "%Z", local);
  size_t end = length;
  int letters = 0;
  for (const char* c = zone; *c && letters < kTimeZoneLetters && end + 1 < sizeof stamp; ++c) {
    if (std::isupper(static_cast<unsigned char>(*c))) {
      stamp[end++] = *c;
      ++letters;
    }
  }
  stamp[end] = '\0';
  return stamp;
}

void CopyName(char* field, const char* text) {
  std::snprintf(field, EffectBase::kNameSize, "%s", text ? text : "");
}

}  // namespace

EffectBase::EffectBase(int nParams, const char* channelIO, const char* effectName,
                       const char* vendorName, const char* productName, int32_t version,
                       int32_t uniqueId, int32_t manufacturerCode, int latency,
                       bool usesStateChunks, bool isInstrument, int32_t interfaceKind)
    : uniqueId_(uniqueId),
      manufacturerCode_(manufacturerCode),
      version_(version),
      interfaceKind_(interfaceKind),
      usesStateChunks_(usesStateChunks),
      isInstrument_(isInstrument),
      latency_(latency) {
  TracePoint("EffectBase::EffectBase", __LINE__, "%s:%s", effectName, ConstructionTimeStamp());
  // A list that cannot grow leaves the item with us.
  for (int i = 0; i < nParams; ++i) {
    auto* param = new PlugParam;
    if (!params_.Add(param)) delete param;
  }
  for (int i = 0; i < kPresetCount; ++i) {
    auto* slot = new PresetSlot;
    if (!presets_.Add(slot)) delete slot;
  }
  CopyName(effectName_, effectName);
  CopyName(vendorName_, vendorName);
  CopyName(productName_, productName);
  ParseChannelIO(channelIO);
}

EffectBase::~EffectBase() {
  delete editor_;
  editor_ = nullptr;
}

void EffectBase::ResetState() {
  LockGuard guard(lock_);
}

void EffectBase::ParamChanged(int /*index*/) {
  LockGuard guard(lock_);
}

namespace {

// Output i copies input i; outputs beyond the inputs are silent. In-place buffers are allowed.
template <class Sample>
void CopyThrough(Sample** inputs, Sample** outputs, int nInputs, int nOutputs, int frames) {
  const size_t bytes = static_cast<size_t>(frames > 0 ? frames : 0) * sizeof(Sample);
  for (int i = 0; i < nOutputs; ++i) {
    if (i < nInputs) {
      std::memmove(outputs[i], inputs[i], bytes);
    } else {
      std::memset(outputs[i], 0, bytes);
    }
  }
}

}  // namespace

void EffectBase::ProcessBlockDouble(double** inputs, double** outputs, int frames) {
  CopyThrough(inputs, outputs, NInputs(), NOutputs(), frames);
}

void EffectBase::ProcessBlockFloat(float** inputs, float** outputs, int frames) {
  CopyThrough(inputs, outputs, NInputs(), NOutputs(), frames);
}

void EffectBase::ActivationChanged(bool /*active*/) {
  LockGuard guard(lock_);
}

bool EffectBase::NoteName(int /*note*/, char* text) {
  if (text) text[0] = '\0';
  return false;
}

bool EffectBase::StateMatches(const double* values, int position) {
  for (int i = 0; i < NParams(); ++i) {
    const float stored = static_cast<float>(values[position + i]);
    const float current = static_cast<float>(GetParam(i)->Value());
    if (!(std::fabs(current - stored) < 1e-5)) return false;
  }
  return true;
}

void EffectBase::AnnounceAllParams() {
  for (int i = 0; i < NParams(); ++i)
    ParamChanged(i);
}

void EffectBase::SetParamFromEditor(int index, double normalized) {
  LockGuard guard(lock_);
  PlugParam* param = GetParam(index);
  if (!param) return;
  param->SetFromNormalized(normalized);
  ReportParamValue(index, normalized);
  ParamChanged(index);
}

void EffectBase::AttachEditor(EffectEditor* editor) {
  if (!editor) return;
  LockGuard guard(lock_);
  for (int i = 0; i < NParams(); ++i)
    editor->SetControlsFromPlugin(i, GetParam(i)->ToNormalized());
  editor->PrepareDrawing();
  if (editor_ != editor) delete editor_;
  editor_ = editor;
}

void EffectBase::RefreshParamControls() {
  if (!editor_) return;
  for (int i = 0; i < NParams(); ++i)
    editor_->SetParamFromPlugin(i, GetParam(i)->Value(), false);
}
