// EffectBase channel configuration: parsing the channel-I/O string into pairings and channel
// records, legal configurations, connecting channels and resizing their scratch.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "plugin_core/EffectBase.h"
#include "support/TracePoint.h"

void EffectBase::ParseChannelIO(const char* channelIO) {
  int nInputs = 0;
  int nOutputs = 0;
  for (const char* token = channelIO; token;) {
    auto* pairing = new ChannelPairing;
    // A token that does not match keeps what was read before the mismatch, else 0-0.
    std::sscanf(token, "%d-%d", &pairing->inputs, &pairing->outputs);
    nInputs = std::max(nInputs, static_cast<int>(pairing->inputs));
    nOutputs = std::max(nOutputs, static_cast<int>(pairing->outputs));
    if (!pairings_.Add(pairing)) delete pairing;
    token = std::strchr(token, ' ');
    if (token) ++token;
  }

  inputPointers_ = std::make_unique<double*[]>(static_cast<size_t>(nInputs));
  outputPointers_ = std::make_unique<double*[]>(static_cast<size_t>(nOutputs));
  for (int i = 0; i < nInputs; ++i) {
    auto* channel = new InputChannel;
    channel->slot = &inputPointers_[static_cast<size_t>(i)];
    if (!inputs_.Add(channel)) delete channel;
  }
  for (int i = 0; i < nOutputs; ++i) {
    auto* channel = new OutputChannel;
    channel->slot = &outputPointers_[static_cast<size_t>(i)];
    if (!outputs_.Add(channel)) delete channel;
  }
}

bool EffectBase::LegalIO(int inputs, int outputs) const {
  bool legal = false;
  for (int i = 0; i < pairings_.Count() && !legal; ++i) {
    const ChannelPairing* pairing = pairings_.Get(i);
    legal =
        (inputs < 0 || pairing->inputs == inputs) && (outputs < 0 || pairing->outputs == outputs);
  }
  TracePoint("EffectBase::LegalIO", __LINE__, "%d:%d:%s", inputs, outputs,
             legal ? "legal" : "illegal");
  return legal;
}

void EffectBase::PointSlotAtScratch(double** slot, std::vector<double>& scratch) {
  *slot = scratch.empty() ? nullptr : scratch.data();
}

void EffectBase::SetInputConnected(int index, bool connected) {
  InputChannel* channel = GetInput(index);
  if (!channel) return;
  channel->connected = connected;
  if (!connected) PointSlotAtScratch(channel->slot, channel->scratch);
}

void EffectBase::SetOutputConnected(int index, bool connected) {
  OutputChannel* channel = GetOutput(index);
  if (!channel) return;
  channel->connected = connected;
  if (!connected) PointSlotAtScratch(channel->slot, channel->scratch);
}

void EffectBase::RestrictToStereo() {
  for (int i = 2; i < NInputs(); ++i)
    SetInputConnected(i, false);
  if (NOutputs() > 2) {
    for (int i = 2; i < NOutputs(); ++i)
      SetOutputConnected(i, true);
  }
}

void EffectBase::ChangeBlockSize(int frames) {
  frames = std::clamp(frames, 0, kMaxBlockSize);
  if (frames == blockSize_) return;
  // Unconnected channels read and write their scratch through their slot, so the slot follows
  // the resized storage.
  for (int i = 0; i < NInputs(); ++i) {
    InputChannel* channel = GetInput(i);
    channel->scratch.assign(static_cast<size_t>(frames), 0.0);
    if (!channel->connected) PointSlotAtScratch(channel->slot, channel->scratch);
  }
  for (int i = 0; i < NOutputs(); ++i) {
    OutputChannel* channel = GetOutput(i);
    channel->scratch.assign(static_cast<size_t>(frames), 0.0);
    if (!channel->connected) PointSlotAtScratch(channel->slot, channel->scratch);
  }
  blockSize_ = frames;
}
