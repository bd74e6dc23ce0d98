// One run: open the input, check every output target, load and open the plug-in, apply preset
// files, programs and parameters, list, render, save. Every failure is one "ferrix-host: ..."
// line on stderr and exit code 1; nothing is written before all targets are known to be usable,
// and an output file only appears once it is complete.
#include "host/app/HostCommand.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "host/app/BatchJob.h"
#include "host/app/BundledFiles.h"
#include "host/app/EditorJob.h"
#include "host/app/ErrorLine.h"
#include "host/app/FerrixGainReduction.h"
#include "host/app/MainJob.h"
#include "host/app/ProgressBar.h"
#include "host/app/RenderJob.h"
#include "host/app/RenderPlot.h"
#include "host/app/RenderSummary.h"
#include "host/app/Terminal.h"
#include "host/audio/AudioFile.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"
#include "host/plugin/PluginControl.h"
#include "host/presets/PresetTransfer.h"
#include "host/signals/CrashGuard.h"

namespace ferrix::host {
bool ApplyControls(const Plugin& plugin, const Options& options, std::string& error) {
  if (!options.loadPreset.empty() && !LoadPresetFile(plugin, options.loadPreset, error)) {
    return false;
  }
  if (!options.preset.empty() && !SelectProgram(plugin, options.preset, error)) return false;
  for (const auto& [name, value] : options.params) {
    if (!SetParamByName(plugin, name, value, error)) return false;
  }
  return true;
}

int RunHostCommand(const Options& options) {
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const std::string pluginPath = options.plugin.empty() ? DefaultPluginPath() : options.plugin;
  if (options.IsEditorJob()) return RunEditorJob(options, pluginPath);
  if (options.IsMainJob()) return RunMainJob(options, pluginPath);
  if (!options.batchIn.empty()) return RunBatch(options, pluginPath);

  std::string error;
  AudioFileReader reader;
  if (!options.input.empty()) {
    if (!reader.Open(options.input, error)) return ReportError(error);
    if (!AudioFileWriter::CheckTarget(options.output, reader.SampleRate(), reader.ChannelCount(),
                                      reader.Format(), error)) {
      return ReportError(error);
    }
  }
  if (!options.savePreset.empty() && !CheckPresetTarget(options.savePreset, error)) {
    return ReportError(error);
  }
  if (!options.plot.empty() && !CheckPlotTarget(options.plot, error)) return ReportError(error);

  Host host;
  GuardAgainstPluginCrash(pluginPath.c_str());  // the entry itself may crash
  LoadResult loaded = Plugin::Load(pluginPath, host);
  if (!loaded.plugin) return ReportError(loaded.message);
  Plugin& plugin = *loaded.plugin;

  const double rate = options.input.empty() ? 44100.0 : reader.SampleRate();
  host.SetSampleRate(rate);
  host.SetBlockSize(options.block);
  plugin.Open();
  plugin.SetSampleRate(rate);
  plugin.SetBlockSize(options.block);
  if (!ApplyControls(plugin, options, error)) return ReportError(error);
  if (options.list) std::fputs(DescribePlugin(plugin).c_str(), stdout);

  if (!options.input.empty()) {
    const RenderSettings settings{options.block, options.precision == 64};
    ProgressBar bar(!options.quiet && StderrIsTerminal());
    RenderSummary summary;
    std::string warning;
    std::optional<RenderEnvelope> envelope;
    if (!options.plot.empty()) {
      envelope.emplace(reader.SampleRate(),
                       IsFerrix(plugin) ? std::optional(ReadFerrixGains(plugin)) : std::nullopt);
    }
    if (!RenderFileJob(
            plugin, host, reader, options.output, settings, summary, warning, error,
            [&bar](double done) { bar.Update(done); }, envelope ? &*envelope : nullptr)) {
      return ReportError(error);
    }
    bar.Finish();
    if (!warning.empty()) ReportWarning(warning);
    summary.plugin = plugin.EffectName().empty()
                         ? std::filesystem::path(plugin.Path()).filename().string()
                         : plugin.EffectName();
    summary.input = options.input;
    if (envelope) {
      const std::string preset = options.preset.empty() ? std::string() : plugin.ProgramName();
      if (!WriteRenderPlot(*envelope, PlotTitle(preset, summary), PlotCaption(summary),
                           options.plot, error)) {
        return ReportError(error);
      }
    }
    if (options.json) {
      std::fputs(SummaryJson(summary).c_str(), stdout);
    } else if (!options.quiet) {
      std::fputs(SummaryText(summary).c_str(), stdout);
    }
  }
  if (!options.savePreset.empty() && !SavePresetFile(plugin, options.savePreset, error)) {
    return ReportError(error);
  }
  plugin.Close();
  return 0;
}

}  // namespace ferrix::host
