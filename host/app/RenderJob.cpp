// Ferrix's gain reduction is read from its parameters before the render: they do not change
// during an offline render without automation.
#include "host/app/RenderJob.h"

#include <optional>

#include "host/app/FerrixGainReduction.h"
#include "host/meters/LevelStats.h"
#include "host/meters/Loudness.h"

namespace ferrix::host {

bool RenderFileJob(const Plugin& plugin, Host& host, AudioFileReader& reader,
                   const std::string& outputPath, const RenderSettings& settings,
                   RenderSummary& summary, std::string& warning, std::string& error,
                   const ProgressFunction& progress, RenderEnvelope* envelope) {
  AudioFileWriter writer;
  if (!writer.Open(outputPath, reader.SampleRate(), reader.ChannelCount(), reader.Format(),
                   error)) {
    return false;
  }
  LevelMeter inputLevels(reader.ChannelCount());
  LevelMeter outputLevels(reader.ChannelCount());
  LoudnessMeter inputLoudness(reader.ChannelCount(), reader.SampleRate());
  LoudnessMeter outputLoudness(reader.ChannelCount(), reader.SampleRate());
  std::optional<GainReductionMeter> reduction;
  if (IsFerrix(plugin)) reduction.emplace(ReadFerrixGains(plugin));
  auto sink = [&](const AudioBlock& in, const AudioBlock& out, std::string& why) {
    inputLevels.Add(in);
    outputLevels.Add(out);
    inputLoudness.Add(in);
    outputLoudness.Add(out);
    if (reduction) reduction->Add(in, out);
    if (envelope != nullptr) envelope->Add(in, out);
    return writer.Write(out, why);
  };
  FileSource source(reader);
  if (!RenderStream(plugin, host, source, settings, sink, error, progress)) return false;
  if (!writer.Commit(error)) return false;
  warning = reader.EarlyEndWarning();
  summary.output = outputPath;
  summary.sampleRate = reader.SampleRate();
  summary.frames = reader.FramesRead();
  summary.precision = settings.doublePrecision ? 64 : 32;
  summary.blockFrames = settings.blockFrames;
  summary.inputLevels = inputLevels.Levels();
  summary.outputLevels = outputLevels.Levels();
  if (reduction) summary.largestGainReductionDb = reduction->LargestDb();
  summary.inputLoudness = inputLoudness.Figures();
  summary.outputLoudness = outputLoudness.Figures();
  return true;
}

}  // namespace ferrix::host
