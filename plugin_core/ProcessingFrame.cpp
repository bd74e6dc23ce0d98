// EffectBase processing frame: host buffers become 64-bit channel pointers for
// ProcessBlockDouble; 32-bit buffers go through the channels' scratch both ways. Runs on the
// audio thread: no allocation.
#include <algorithm>

#include "plugin_core/EffectBase.h"

namespace {

// A disconnected input reads silence on every block: its scratch may still hold the last block
// widened into it while it was connected, or whatever the effect wrote into its inputs.
void ReadSilence(InputChannel* channel, size_t frames) {
  std::fill_n(channel->scratch.data(), frames, 0.0);
  *channel->slot = channel->scratch.data();
}

}  // namespace

void EffectBase::ProcessFloatBuffers(float** inputs, float** outputs, int frames, bool accumulate) {
  LockGuard guard(lock_);
  const size_t count = static_cast<size_t>(std::max(frames, 0));
  // The k-th connected channel takes the k-th host buffer.
  int next = 0;
  for (int i = 0; i < NInputs(); ++i) {
    InputChannel* channel = GetInput(i);
    if (!channel->connected) {
      ReadSilence(channel, count);
      continue;
    }
    const float* host = inputs[next++];
    double* scratch = channel->scratch.data();
    for (size_t f = 0; f < count; ++f)
      scratch[f] = host[f];
    *channel->slot = scratch;
  }
  next = 0;
  for (int i = 0; i < NOutputs(); ++i) {
    OutputChannel* channel = GetOutput(i);
    if (!channel->connected) continue;
    channel->hostFloatBuffer = outputs[next++];
    *channel->slot = channel->scratch.data();
  }

  ProcessBlockDouble(inputPointers_.get(), outputPointers_.get(), frames);

  for (int i = 0; i < NOutputs(); ++i) {
    OutputChannel* channel = GetOutput(i);
    if (!channel->connected) continue;
    const double* result = channel->scratch.data();
    float* host = channel->hostFloatBuffer;
    if (accumulate) {
      for (size_t f = 0; f < count; ++f)
        host[f] = host[f] + static_cast<float>(result[f]);
    } else {
      for (size_t f = 0; f < count; ++f)
        host[f] = static_cast<float>(result[f]);
    }
  }
}

void EffectBase::ProcessDoubleBuffers(double** inputs, double** outputs, int frames) {
  LockGuard guard(lock_);
  int next = 0;
  for (int i = 0; i < NInputs(); ++i) {
    InputChannel* channel = GetInput(i);
    if (channel->connected)
      *channel->slot = inputs[next++];
    else
      ReadSilence(channel, static_cast<size_t>(std::max(frames, 0)));
  }
  next = 0;
  for (int i = 0; i < NOutputs(); ++i) {
    OutputChannel* channel = GetOutput(i);
    if (channel->connected) *channel->slot = outputs[next++];
  }
  ProcessBlockDouble(inputPointers_.get(), outputPointers_.get(), frames);
}
