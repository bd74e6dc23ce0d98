// Output files are named by program number and name ("03-Hot Drums.wav", with characters that
// are unsafe in file names replaced), so every program gets its own file.
#include "host/MainJob.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "host/AudioFile.h"
#include "host/CrashGuard.h"
#include "host/ErrorLine.h"
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

}  // namespace

std::string DemoPath() {
  return (std::filesystem::path(ExecutableDirectory()) / "ferrix-demo.wav").string();
}

int RunMainJob(const Options& options, const std::string& pluginPath) {
  std::string error;
  AudioData demo;
  if (!ReadAudioFile(DemoPath(), demo, error)) return ReportError(error);

  Host host;
  GuardAgainstPluginCrash(pluginPath.c_str());  // the entry itself may crash
  LoadResult loaded = Plugin::Load(pluginPath, host);
  if (!loaded.plugin) return ReportError(loaded.message);
  Plugin& plugin = *loaded.plugin;

  host.SetSampleRate(demo.sampleRate);
  host.SetBlockSize(options.block);
  plugin.Open();
  plugin.SetSampleRate(demo.sampleRate);
  plugin.SetBlockSize(options.block);

  std::error_code ec;
  std::filesystem::create_directories(options.outDir, ec);
  if (ec) return ReportError(options.outDir + ": cannot create the output folder");

  const std::vector<std::string> programs = ProgramNames(plugin);
  const RenderSettings settings{options.block, options.precision == 64};
  for (size_t p = 0; p < programs.size(); ++p) {
    plugin.SetProgram(static_cast<int32_t>(p));
    AudioData output;
    if (!Render(plugin, host, demo, settings, output, error)) return ReportError(error);
    RenderSummary summary;
    summary.input = DemoPath();
    summary.output =
        (std::filesystem::path(options.outDir) / FileNameFor(static_cast<int>(p), programs[p]))
            .string();
    summary.sampleRate = demo.sampleRate;
    summary.frames = demo.Frames();
    summary.precision = options.precision;
    summary.blockFrames = options.block;
    if (!WriteAudioFile(summary.output, output, error)) return ReportError(error);
    summary.inputLevels = MeasureLevels(demo);
    summary.outputLevels = MeasureLevels(output);
    if (!options.quiet) std::fputs(SummaryLine(programs[p], summary).c_str(), stdout);
  }
  plugin.Close();
  return 0;
}

}  // namespace ferrix::host
