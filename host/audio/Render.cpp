// The render loop: processing is switched on around it, the transport advances with each block,
// and the host reports offline processing while it runs.
#include "host/audio/Render.h"

#include <algorithm>

namespace ferrix::host {
bool ChooseProcessMode(const Plugin& plugin, bool doublePrecision, ProcessMode& mode,
                       std::string& error) {
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

bool RenderStream(const Plugin& plugin, Host& host, AudioSource& source,
                  const RenderSettings& settings, const BlockSink& sink, std::string& error,
                  const ProgressFunction& progress) {
  const int32_t channels = source.ChannelCount();
  const bool mono = channels == 1;
  if (plugin.NumInputs() < (mono ? 1 : channels) || plugin.NumOutputs() < (mono ? 1 : channels)) {
    error = plugin.Path() + ": channel mismatch: the plug-in has " +
            std::to_string(plugin.NumInputs()) + " inputs and " +
            std::to_string(plugin.NumOutputs()) + " outputs, the audio has " +
            std::to_string(channels) + " channels";
    return false;
  }
  ProcessMode mode;
  if (!ChooseProcessMode(plugin, settings.doublePrecision, mode, error)) return false;

  ProcessBuffers buffers(plugin.NumInputs(), plugin.NumOutputs(), settings.blockFrames);
  AudioBlock input(channels, settings.blockFrames);
  AudioBlock output(channels, settings.blockFrames);

  host.SetProcessLevel(kVstProcessLevelOffline);
  host.RewindTransport();
  plugin.SetProcessPrecision(settings.doublePrecision);
  plugin.SetMains(true);
  plugin.StartProcess();
  const double expected = static_cast<double>(source.ExpectedFrames());
  int64_t done = 0;
  bool ok = true;
  while (source.Read(input, settings.blockFrames) > 0) {
    const int32_t frames = input.frames;
    for (int32_t c = 0; c < plugin.NumInputs(); ++c) {
      const int32_t from = mono ? 0 : c;
      if (from < channels) {
        buffers.SetInput(c, input.channels[static_cast<size_t>(from)].data(), frames);
      } else {
        buffers.ClearInput(c);
      }
    }
    if (mode == ProcessMode::kAccumulate) buffers.FillOutputs(0.0);
    buffers.Process(plugin.Effect(), mode, frames);
    output.frames = frames;
    for (int32_t c = 0; c < channels; ++c) {
      double* out = output.channels[static_cast<size_t>(c)].data();
      for (int32_t i = 0; i < frames; ++i)
        out[i] = buffers.Output(c, i);
    }
    host.AdvanceTransport(frames);
    done += frames;
    if (!sink(input, output, error)) {
      ok = false;
      break;
    }
    if (progress && expected > 0.0) progress(std::min(1.0, static_cast<double>(done) / expected));
  }
  plugin.StopProcess();
  plugin.SetMains(false);
  host.SetProcessLevel(kVstProcessLevelUser);
  return ok;
}

bool Render(const Plugin& plugin, Host& host, const AudioData& input,
            const RenderSettings& settings, AudioData& output, std::string& error,
            const ProgressFunction& progress) {
  output.sampleRate = input.sampleRate;
  output.format = input.format;
  output.channels.assign(static_cast<size_t>(input.ChannelCount()), {});
  for (std::vector<double>& c : output.channels)
    c.reserve(static_cast<size_t>(input.Frames()));
  MemorySource source(input);
  auto collect = [&output](const AudioBlock&, const AudioBlock& out, std::string&) {
    for (int c = 0; c < out.ChannelCount(); ++c) {
      const std::vector<double>& samples = out.channels[static_cast<size_t>(c)];
      output.channels[static_cast<size_t>(c)].insert(output.channels[static_cast<size_t>(c)].end(),
                                                     samples.begin(), samples.begin() + out.frames);
    }
    return true;
  };
  return RenderStream(plugin, host, source, settings, collect, error, progress);
}

}  // namespace ferrix::host
