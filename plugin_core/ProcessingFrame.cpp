// EffectBase processing frame: host buffers become 64-bit channel pointers for
// ProcessBlockDouble; 32-bit buffers go to the effect's direct path where it has one and can
// take them, else through the channels' scratch both ways. Runs on the audio thread: no
// allocation.
#include <algorithm>
#include <cstdint>

#include "plugin_core/EffectBase.h"

namespace {

// A disconnected input reads silence on every block: its scratch may still hold the last block
// widened into it while it was connected, or whatever the effect wrote into its inputs.
void ReadSilence(InputChannel* channel, size_t frames) {
  std::fill_n(channel->scratch.data(), frames, 0.0);
  *channel->slot = channel->scratch.data();
}

// Two buffers of `frames` samples that are one and the same or share no sample.
bool SameOrApart(const float* a, const float* b, size_t frames) {
  const auto x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
  const uintptr_t bytes = frames * sizeof(float);
  return x == y || x + bytes <= y || y + bytes <= x;
}

// A direct path stores frame by frame, while widening reads the whole block before anything is
// stored: an output that partly overlaps another buffer would make the two differ.
bool NoPartialOverlap(float** inputs, int nInputs, float** outputs, int nOutputs, size_t frames) {
  for (int o = 0; o < nOutputs; ++o) {
    for (int i = 0; i < nInputs; ++i) {
      if (!SameOrApart(outputs[o], inputs[i], frames)) return false;
    }
    for (int k = 0; k < o; ++k) {
      if (!SameOrApart(outputs[o], outputs[k], frames)) return false;
    }
  }
  return true;
}

}  // namespace

bool EffectBase::ProcessBlockFloatDirect(float** /*inputs*/, float** /*outputs*/, int /*frames*/,
                                         bool /*accumulate*/) {
  return false;
}

bool EffectBase::AllChannelsConnected() const {
  for (int i = 0; i < NInputs(); ++i) {
    if (!GetInput(i)->connected) return false;
  }
  for (int i = 0; i < NOutputs(); ++i) {
    if (!GetOutput(i)->connected) return false;
  }
  return true;
}

void EffectBase::ProcessFloatBuffers(float** inputs, float** outputs, int frames, bool accumulate) {
  LockGuard guard(lock_);
  const size_t count = static_cast<size_t>(std::max(frames, 0));
  if (AllChannelsConnected() && NoPartialOverlap(inputs, NInputs(), outputs, NOutputs(), count) &&
      ProcessBlockFloatDirect(inputs, outputs, frames, accumulate))
    return;
  WidenProcessNarrow(inputs, outputs, frames, accumulate);
}

void EffectBase::WidenProcessNarrow(float** inputs, float** outputs, int frames, bool accumulate) {
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
