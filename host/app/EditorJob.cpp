// The loop is read whole before the plug-in loads, so a bad file costs no window; a snapshot's
// file appears only once complete. The snapshot processes its audio as fast as the plug-in
// goes (the editor is idled meanwhile, as a host does), so its meters show exactly that stretch.
#include "host/app/EditorJob.h"

#include <cctype>
#include <cstdint>
#include <filesystem>

#include "host/app/BundledFiles.h"
#include "host/app/ErrorLine.h"
#include "host/app/HostCommand.h"
#include "host/audio/AudioFile.h"
#include "host/audio/PendingFile.h"
#include "host/editor/EditorSession.h"
#include "host/editor/EditorWindow.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"
#include "host/signals/CrashGuard.h"
#include "raster/SavePng.h"

namespace ferrix::host {
namespace {

bool CheckPictureTarget(const std::string& path, std::string& error) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext != ".png") {
    error = path + ": a snapshot is a .png file";
    return false;
  }
  return CheckOutputPath(path, error);
}

bool WritePicture(MemBitmap& picture, const std::string& path, std::string& error) {
  PendingFile pending;
  if (!pending.Create(path, error)) return false;
  if (!SavePngFile(picture, pending.TemporaryPath().c_str())) {
    error = path + ": cannot write the picture";
    return false;
  }
  return pending.Commit(error);
}

}  // namespace

int RunEditorJob(const Options& options, const std::string& pluginPath) {
  const bool snapshot = !options.editorSnapshot.empty();
  std::string error;
  if (snapshot && !CheckPictureTarget(options.editorSnapshot, error)) return ReportError(error);
  AudioData loop;
  const std::string input = options.loopInput.empty() ? DemoPath() : options.loopInput;
  if (!ReadAudioFile(input, loop, error)) return ReportError(error);
  if (loop.Frames() == 0) return ReportError(input + ": the file holds no audio");

  EditorWindow::PrepareForThreads();
  Host host;
  GuardAgainstPluginCrash(pluginPath.c_str());
  LoadResult loaded = Plugin::Load(pluginPath, host);
  if (!loaded.plugin) return ReportError(loaded.message);
  Plugin& plugin = *loaded.plugin;
  host.SetSampleRate(loop.sampleRate);
  host.SetBlockSize(options.block);
  plugin.Open();
  plugin.SetSampleRate(loop.sampleRate);
  plugin.SetBlockSize(options.block);
  if (!ApplyControls(plugin, options, error)) return ReportError(error);

  EditorSessionSettings settings;
  settings.snapshot = snapshot;
  settings.audio.blockFrames = options.block;
  settings.audio.doublePrecision = options.precision == 64;
  settings.audio.paced = !snapshot;
  if (snapshot) {
    settings.audio.frameLimit = static_cast<int64_t>(options.afterSeconds * loop.sampleRate);
  }
  MemBitmap picture;
  if (!RunEditorSession(plugin, host, loop, settings, picture, error)) return ReportError(error);
  plugin.Close();
  if (snapshot && !WritePicture(picture, options.editorSnapshot, error)) {
    return ReportError(error);
  }
  return 0;
}

}  // namespace ferrix::host
