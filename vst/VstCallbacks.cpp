// VstEffect audio and parameter callbacks: the three processing entry points of the record and
// setParameter / getParameter. Each runs under the plug-in lock; the processing ones run on the
// host's audio thread and allocate nothing.
#include <algorithm>

#include "plugin_core/EffectEditor.h"
#include "vst/VstEffect.h"

void VstEffect::Process(AEffect* record, float** inputs, float** outputs, int32_t frames) {
  if (VstEffect* self = FromRecord(record)) self->ProcessFloat(inputs, outputs, frames, true);
}

void VstEffect::ProcessReplacing(AEffect* record, float** inputs, float** outputs, int32_t frames) {
  if (VstEffect* self = FromRecord(record)) self->ProcessFloat(inputs, outputs, frames, false);
}

void VstEffect::ProcessDoubleReplacing(AEffect* record, double** inputs, double** outputs,
                                       int32_t frames) {
  if (VstEffect* self = FromRecord(record)) self->ProcessDouble(inputs, outputs, frames);
}

namespace {

// Points each host buffer the connected channels consume at frame `done`.
template <class Sample, class Channel>
void MoveOn(Sample** host, std::vector<Sample*>& moved, int channels, Channel channel, int done) {
  int next = 0;
  for (int i = 0; i < channels; ++i) {
    if (channel(i)->connected) {
      moved[static_cast<size_t>(next)] = host[next] + done;
      ++next;
    }
  }
}

}  // namespace

void VstEffect::ProcessFloat(float** inputs, float** outputs, int32_t frames, bool accumulate) {
  if (frames < 0) return;
  LockGuard guard(Lock());
  const int block = BlockSize();
  if (frames <= block) {
    ProcessFloatBuffers(inputs, outputs, frames, accumulate);
    return;
  }
  auto input = [this](int i) { return GetInput(i); };
  auto output = [this](int i) { return GetOutput(i); };
  for (int done = 0, slice = 0; done < frames; done += slice) {
    slice = std::min(block, frames - done);
    MoveOn(inputs, sliceInputs_, NInputs(), input, done);
    MoveOn(outputs, sliceOutputs_, NOutputs(), output, done);
    ProcessFloatBuffers(sliceInputs_.data(), sliceOutputs_.data(), slice, accumulate);
  }
}

void VstEffect::ProcessDouble(double** inputs, double** outputs, int32_t frames) {
  if (frames < 0) return;
  LockGuard guard(Lock());
  const int block = BlockSize();
  if (frames <= block) {
    ProcessDoubleBuffers(inputs, outputs, frames);
    return;
  }
  auto input = [this](int i) { return GetInput(i); };
  auto output = [this](int i) { return GetOutput(i); };
  for (int done = 0, slice = 0; done < frames; done += slice) {
    slice = std::min(block, frames - done);
    MoveOn(inputs, sliceInputsDouble_, NInputs(), input, done);
    MoveOn(outputs, sliceOutputsDouble_, NOutputs(), output, done);
    ProcessDoubleBuffers(sliceInputsDouble_.data(), sliceOutputsDouble_.data(), slice);
  }
}

void VstEffect::SetParameter(AEffect* record, int32_t index, float value) {
  if (VstEffect* self = FromRecord(record)) self->SetParameterLocked(index, value);
}

void VstEffect::SetParameterLocked(int32_t index, float value) {
  LockGuard guard(Lock());
  PlugParam* param = GetParam(index);
  if (!param) return;
  // A value the host plays back is not reported back to it.
  if (Editor()) Editor()->SetControlsFromPlugin(index, value);
  param->SetFromNormalized(value);
  ParamChanged(index);
}

float VstEffect::GetParameter(AEffect* record, int32_t index) {
  VstEffect* self = FromRecord(record);
  if (!self) return 0.0f;
  LockGuard guard(self->Lock());
  const PlugParam* param = self->GetParam(index);
  return param ? static_cast<float>(param->ToNormalized()) : 0.0f;
}
