// The render loop: processing is switched on around it, the transport advances with each block,
// and the host reports offline processing while it runs.
#include "host/Render.h"

#include <algorithm>

#include "host/ProcessBuffers.h"

namespace ferrix::host {
namespace {

bool ChooseMode(const Plugin& plugin, bool doublePrecision, ProcessMode& mode, std::string& error) {
  const AEffect* effect = plugin.Effect();
  if (doublePrecision) {
    if (!plugin.HasFlag(effFlagsCanDoubleReplacing) || effect->processDoubleReplacing == nullptr) {
      error = plugin.Path() + ": the plug-in has no 64-bit processing (use --precision 32)";
      return false;
    }
    mode = ProcessMode::kDoubleReplacing;
    return true;
  }
  if (plugin.HasFlag(effFlagsCanReplacing) && effect->processReplacing != nullptr) {
    mode = ProcessMode::kReplacing;
  } else {
    mode = ProcessMode::kAccumulate;
  }
  return true;
}

}  // namespace

bool Render(const Plugin& plugin, Host& host, const AudioData& input,
            const RenderSettings& settings, AudioData& output, std::string& error,
            const ProgressFunction& progress) {
  const int32_t channels = input.ChannelCount();
  const bool mono = channels == 1;
  if (plugin.NumInputs() < (mono ? 1 : channels) || plugin.NumOutputs() < (mono ? 1 : channels)) {
    error = plugin.Path() + ": channel mismatch: the plug-in has " +
            std::to_string(plugin.NumInputs()) + " inputs and " +
            std::to_string(plugin.NumOutputs()) + " outputs, the audio has " +
            std::to_string(channels) + " channels";
    return false;
  }
  ProcessMode mode;
  if (!ChooseMode(plugin, settings.doublePrecision, mode, error)) return false;

  ProcessBuffers buffers(plugin.NumInputs(), plugin.NumOutputs(), settings.blockFrames);
  output.sampleRate = input.sampleRate;
  output.format = input.format;
  output.channels.assign(static_cast<size_t>(channels),
                         std::vector<double>(static_cast<size_t>(input.Frames())));

  host.SetProcessLevel(kVstProcessLevelOffline);
  host.RewindTransport();
  plugin.SetProcessPrecision(settings.doublePrecision);
  plugin.SetMains(true);
  plugin.StartProcess();
  const int64_t total = input.Frames();
  for (int64_t start = 0; start < total; start += settings.blockFrames) {
    const auto frames =
        static_cast<int32_t>(std::min<int64_t>(settings.blockFrames, total - start));
    for (int32_t c = 0; c < plugin.NumInputs(); ++c) {
      const int32_t source = mono ? 0 : c;
      if (source < channels) {
        buffers.SetInput(c, input.channels[static_cast<size_t>(source)].data() + start, frames);
      } else {
        buffers.ClearInput(c);
      }
    }
    if (mode == ProcessMode::kAccumulate) buffers.FillOutputs(0.0);
    buffers.Process(plugin.Effect(), mode, frames);
    for (int32_t c = 0; c < channels; ++c) {
      std::vector<double>& out = output.channels[static_cast<size_t>(c)];
      for (int32_t i = 0; i < frames; ++i)
        out[static_cast<size_t>(start + i)] = buffers.Output(c, i);
    }
    host.AdvanceTransport(frames);
    if (progress) progress(static_cast<double>(start + frames) / static_cast<double>(total));
  }
  plugin.StopProcess();
  plugin.SetMains(false);
  host.SetProcessLevel(kVstProcessLevelUser);
  return true;
}

}  // namespace ferrix::host
