// Every program is rendered by a fresh instance, so that each file sounds exactly as a single
// render with that program would: Ferrix's gain smoothers and threshold carry over from one render
// to the next otherwise. Programs that repeat an earlier program's values (Ferrix's unused
// "Empty" slots repeat the defaults of its first program) would only repeat its file and are
// left out. Output files are named by program number and name ("03-Snare.wav", with characters
// that are unsafe in file names replaced).
#include "host/MainJob.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "host/AudioFile.h"
#include "host/CrashGuard.h"
#include "host/ErrorLine.h"
#include "host/FerrixGainReduction.h"
#include "host/Host.h"
#include "host/LevelStats.h"
#include "host/PlatformPaths.h"
#include "host/Plugin.h"
#include "host/PluginControl.h"
#include "host/Render.h"
#include "host/RenderSummary.h"

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

// A loaded plug-in, open and set up for `audio`; null with a reason in `error`.
std::unique_ptr<Plugin> LoadForRender(const std::string& path, Host& host, const AudioData& audio,
                                      int32_t blockFrames, std::string& error) {
  LoadResult loaded = Plugin::Load(path, host);
  if (!loaded.plugin) {
    error = loaded.message;
    return nullptr;
  }
  host.SetSampleRate(audio.sampleRate);
  host.SetBlockSize(blockFrames);
  loaded.plugin->Open();
  loaded.plugin->SetSampleRate(audio.sampleRate);
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

}  // namespace

std::string DemoPath() {
  return (std::filesystem::path(ExecutableDirectory()) / "ferrix-demo.wav").string();
}

int RunMainJob(const Options& options, const std::string& pluginPath) {
  std::string error;
  AudioData demo;
  if (!ReadAudioFile(DemoPath(), demo, error)) return ReportError(error);

  GuardAgainstPluginCrash(pluginPath.c_str());  // the entry itself may crash
  std::vector<std::string> names;
  std::vector<int32_t> programs;
  {
    Host host;
    std::unique_ptr<Plugin> plugin = LoadForRender(pluginPath, host, demo, options.block, error);
    if (!plugin) return ReportError(error);
    names = ProgramNames(*plugin);
    programs = DistinctPrograms(*plugin);
  }

  std::error_code ec;
  std::filesystem::create_directories(options.outDir, ec);
  if (ec) return ReportError(options.outDir + ": cannot create the output folder");

  const RenderSettings settings{options.block, options.precision == 64};
  for (const int32_t p : programs) {
    Host host;
    std::unique_ptr<Plugin> plugin = LoadForRender(pluginPath, host, demo, options.block, error);
    if (!plugin) return ReportError(error);
    plugin->SetProgram(p);
    AudioData output;
    if (!Render(*plugin, host, demo, settings, output, error)) return ReportError(error);
    const std::string& name = names[static_cast<size_t>(p)];
    RenderSummary summary;
    summary.input = DemoPath();
    summary.output =
        (std::filesystem::path(options.outDir) / FileNameFor(static_cast<int>(p), name)).string();
    summary.sampleRate = demo.sampleRate;
    summary.frames = demo.Frames();
    summary.precision = options.precision;
    summary.blockFrames = options.block;
    if (!WriteAudioFile(summary.output, output, error)) return ReportError(error);
    summary.inputLevels = MeasureLevels(demo);
    summary.outputLevels = MeasureLevels(output);
    summary.largestGainReductionDb = GainReductionIfFerrix(*plugin, demo, output);
    if (!options.quiet) std::fputs(SummaryLine(name, summary).c_str(), stdout);
  }
  return 0;
}

}  // namespace ferrix::host
