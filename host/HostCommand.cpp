// One run: read the input, load and open the plug-in, apply preset files, programs and
// parameters, list, render, write, save. Every failure is one "ferrix-host: ..." line on stderr
// and exit code 1; the output file only appears once it is complete.
#include "host/HostCommand.h"

#include <cstdio>
#include <filesystem>

#include "host/AudioFile.h"
#include "host/CrashGuard.h"
#include "host/ErrorLine.h"
#include "host/FerrixGainReduction.h"
#include "host/Host.h"
#include "host/LevelStats.h"
#include "host/MainJob.h"
#include "host/PlatformPaths.h"
#include "host/Plugin.h"
#include "host/PluginControl.h"
#include "host/PresetTransfer.h"
#include "host/ProgressBar.h"
#include "host/Render.h"
#include "host/RenderSummary.h"
#include "host/Terminal.h"

namespace ferrix::host {
namespace {

std::string DefaultPluginPath() {
  return (std::filesystem::path(ExecutableDirectory()) / (std::string("Ferrix") + ModuleSuffix()))
      .string();
}

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

}  // namespace

int RunHostCommand(const Options& options) {
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const std::string pluginPath = options.plugin.empty() ? DefaultPluginPath() : options.plugin;
  if (options.IsMainJob()) return RunMainJob(options, pluginPath);

  std::string error;
  AudioData input;
  if (!options.input.empty() && !ReadAudioFile(options.input, input, error))
    return ReportError(error);

  Host host;
  GuardAgainstPluginCrash(pluginPath.c_str());  // the entry itself may crash
  LoadResult loaded = Plugin::Load(pluginPath, host);
  if (!loaded.plugin) return ReportError(loaded.message);
  Plugin& plugin = *loaded.plugin;

  const double rate = options.input.empty() ? 44100.0 : input.sampleRate;
  host.SetSampleRate(rate);
  host.SetBlockSize(options.block);
  plugin.Open();
  plugin.SetSampleRate(rate);
  plugin.SetBlockSize(options.block);
  if (!ApplyControls(plugin, options, error)) return ReportError(error);
  if (options.list) std::fputs(DescribePlugin(plugin).c_str(), stdout);

  if (!options.input.empty()) {
    RenderSettings settings{options.block, options.precision == 64};
    AudioData output;
    ProgressBar bar(!options.quiet && StderrIsTerminal());
    if (!Render(plugin, host, input, settings, output, error,
                [&bar](double done) { bar.Update(done); })) {
      return ReportError(error);
    }
    bar.Finish();
    if (!WriteAudioFile(options.output, output, error)) return ReportError(error);

    RenderSummary summary;
    summary.plugin = plugin.EffectName().empty()
                         ? std::filesystem::path(plugin.Path()).filename().string()
                         : plugin.EffectName();
    summary.input = options.input;
    summary.output = options.output;
    summary.sampleRate = input.sampleRate;
    summary.frames = input.Frames();
    summary.precision = options.precision;
    summary.blockFrames = options.block;
    summary.inputLevels = MeasureLevels(input);
    summary.outputLevels = MeasureLevels(output);
    summary.largestGainReductionDb = GainReductionIfFerrix(plugin, input, output);
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
