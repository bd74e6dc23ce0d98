// Every program is rendered by a fresh instance, so that each file sounds exactly as a single
// render with that program would: Ferrix's gain smoothers and threshold carry over from one render
// to the next otherwise. Programs that repeat an earlier program's values (Ferrix's unused
// "Empty" slots repeat the defaults of its first program) would only repeat its file and are
// left out. Output files are named by program number and name ("03-Snare.wav", with characters
// that are unsafe in file names replaced). With --preset or --param the job renders one file with
// exactly those settings ("02-Kick.wav", or "02-Kick-custom.wav" when parameters were set).
#include "host/app/MainJob.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "host/app/BundledFiles.h"
#include "host/app/ErrorLine.h"
#include "host/app/FerrixGainReduction.h"
#include "host/app/HostCommand.h"
#include "host/app/RenderJob.h"
#include "host/app/RenderPlot.h"
#include "host/app/RenderSummary.h"
#include "host/audio/AudioFile.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"
#include "host/plugin/PluginControl.h"
#include "host/signals/CrashGuard.h"

namespace ferrix::host {

namespace {

std::string FileNameFor(int index, const std::string& program) {
  std::string safe;
  for (char c : program) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == ' ' || c == '-' || c == '_' || c == '.';
    safe += ok ? c : '_';
  }
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02d-", index);
  return prefix + (safe.empty() ? std::string("program") : safe) + ".wav";
}

// A loaded plug-in, open and set up for `rate`; null with a reason in `error`.
std::unique_ptr<Plugin> LoadForRender(const std::string& path, Host& host, int rate,
                                      int32_t blockFrames, std::string& error) {
  LoadResult loaded = Plugin::Load(path, host);
  if (!loaded.plugin) {
    error = loaded.message;
    return nullptr;
  }
  host.SetSampleRate(rate);
  host.SetBlockSize(blockFrames);
  loaded.plugin->Open();
  loaded.plugin->SetSampleRate(rate);
  loaded.plugin->SetBlockSize(blockFrames);
  return std::move(loaded.plugin);
}

// The indices of the programs whose parameter values differ from every earlier program's.
std::vector<int32_t> DistinctPrograms(const Plugin& plugin) {
  std::vector<int32_t> distinct;
  std::vector<std::vector<float>> seen;
  for (int32_t p = 0; p < plugin.NumPrograms(); ++p) {
    plugin.SetProgram(p);
    std::vector<float> values;
    for (int32_t i = 0; i < plugin.NumParams(); ++i)
      values.push_back(plugin.GetParam(i));
    if (std::find(seen.begin(), seen.end(), values) != seen.end()) continue;
    seen.push_back(values);
    distinct.push_back(p);
  }
  return distinct;
}

// One render of the demo by a fresh instance; `prepare` sets the program (and parameters).
template <typename Prepare>
int RenderDemo(const Options& options, const std::string& pluginPath, const std::string& label,
               const std::string& outputPath, Prepare prepare) {
  std::string error;
  AudioFileReader reader;
  if (!reader.Open(DemoPath(), error)) return ReportError(error);
  Host host;
  std::unique_ptr<Plugin> plugin =
      LoadForRender(pluginPath, host, reader.SampleRate(), options.block, error);
  if (!plugin) return ReportError(error);
  if (!prepare(*plugin, error)) return ReportError(error);
  const RenderSettings settings{options.block, options.precision == 64};
  RenderSummary summary;
  std::string warning;
  RenderEnvelope envelope(reader.SampleRate(), IsFerrix(*plugin)
                                                   ? std::optional(ReadFerrixGains(*plugin))
                                                   : std::nullopt);
  if (!RenderFileJob(*plugin, host, reader, outputPath, settings, summary, warning, error, {},
                     &envelope)) {
    return ReportError(error);
  }
  if (!warning.empty()) ReportWarning(warning);
  summary.input = DemoPath();
  summary.plugin = plugin->EffectName();
  const std::string picture = std::filesystem::path(outputPath).replace_extension(".png").string();
  if (!WriteRenderPlot(envelope, PlotTitle(label, summary), PlotCaption(summary), picture, error)) {
    return ReportError(error);
  }
  if (!options.quiet) std::fputs(SummaryLine(label, summary).c_str(), stdout);
  return 0;
}

}  // namespace

int RunMainJob(const Options& options, const std::string& pluginPath) {
  std::string error;
  AudioFileReader demo;
  if (!demo.Open(DemoPath(), error)) return ReportError(error);

  GuardAgainstPluginCrash(pluginPath.c_str());  // the entry itself may crash
  std::vector<std::string> names;
  std::vector<int32_t> programs;
  int32_t chosen = 0;
  {
    Host host;
    std::unique_ptr<Plugin> plugin =
        LoadForRender(pluginPath, host, demo.SampleRate(), options.block, error);
    if (!plugin) return ReportError(error);
    names = ProgramNames(*plugin);
    // Settings given on the command line are checked before anything is written.
    if (!ApplyControls(*plugin, options, error)) return ReportError(error);
    chosen = plugin->Program();
    programs = DistinctPrograms(*plugin);
  }

  std::error_code ec;
  std::filesystem::create_directories(options.outDir, ec);
  if (ec) return ReportError(options.outDir + ": cannot create the output folder");

  if (!options.preset.empty() || !options.params.empty()) {
    // One file with exactly the settings asked for.
    const std::string name = chosen >= 0 && chosen < static_cast<int32_t>(names.size())
                                 ? names[static_cast<size_t>(chosen)]
                                 : std::string("program");
    std::string file = FileNameFor(chosen, name);
    if (!options.params.empty()) file.insert(file.size() - 4, "-custom");
    const std::string label = options.params.empty() ? name : name + " (with --param)";
    return RenderDemo(options, pluginPath, label,
                      (std::filesystem::path(options.outDir) / file).string(),
                      [&options](const Plugin& plugin, std::string& why) {
                        return ApplyControls(plugin, options, why);
                      });
  }
  for (const int32_t p : programs) {
    const std::string& name = names[static_cast<size_t>(p)];
    const std::string output =
        (std::filesystem::path(options.outDir) / FileNameFor(static_cast<int>(p), name)).string();
    const int code =
        RenderDemo(options, pluginPath, name, output, [p](const Plugin& plugin, std::string&) {
          plugin.SetProgram(p);
          return true;
        });
    if (code != 0) return code;
  }
  return 0;
}

}  // namespace ferrix::host
