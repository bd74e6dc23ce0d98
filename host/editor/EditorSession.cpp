// EditorSession: the editor thread's loop. A snapshot keeps idling for a moment after its audio
// ends, so that editors which redraw at their own frame rate (Ferrix: 24 a second) have shown
// the final state before the window is read, and for at least a second after the editor opened:
// some editors lay themselves out over their first idle calls (LSP's draw their panels bit by
// bit), and a capture before that shows half a window.
#include "host/editor/EditorSession.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "host/editor/EditorWindow.h"
#include "host/signals/StopSignal.h"

namespace ferrix::host {
namespace {

constexpr auto kIdlePeriod = std::chrono::milliseconds(16);  // about 60 idle calls a second
constexpr int kSettleIdles = 15;                             // 240 ms, several frame periods
constexpr auto kShortestShow = std::chrono::seconds(1);
constexpr int kFallbackWidth = 640, kFallbackHeight = 480;  // for editors that answer no size
constexpr int kLargestSide = 16384;

// The editor's size as the plug-in answers it now; false when it answers none that is usable.
bool EditorSize(const Plugin& plugin, int& width, int& height) {
  ERect* rect = nullptr;
  plugin.Dispatch(effEditGetRect, 0, 0, &rect);
  if (rect == nullptr) return false;
  const int w = rect->right - rect->left, h = rect->bottom - rect->top;
  if (w <= 0 || h <= 0 || w > kLargestSide || h > kLargestSide) return false;
  width = w;
  height = h;
  return true;
}

std::string Title(const Plugin& plugin) {
  const std::string name = plugin.EffectName();
  return "ferrix-host: " +
         (name.empty() ? std::filesystem::path(plugin.Path()).filename().string() : name);
}

}  // namespace

bool RunEditorSession(const Plugin& plugin, Host& host, const AudioData& loop,
                      const EditorSessionSettings& settings, MemBitmap& picture,
                      std::string& error) {
  if (!plugin.HasFlag(effFlagsHasEditor)) {
    error = plugin.Path() + ": the plug-in has no editor";
    return false;
  }
  int width = kFallbackWidth, height = kFallbackHeight;
  EditorSize(plugin, width, height);
  // Ctrl+C from here on ends the session the clean way, whenever it comes.
  InstallStopSignal();
  std::unique_ptr<EditorWindow> window = EditorWindow::Create(
      Title(plugin), width, height,
      settings.snapshot ? EditorWindow::Visibility::kUnseen : EditorWindow::Visibility::kShown,
      error);
  if (!window) return false;
  // The answer means nothing: many plug-ins answer 0 to an editor they opened, and hosts ignore
  // it. Whatever it was, the editor is closed below, before its window goes.
  plugin.Dispatch(effEditOpen, 0, 0, window->NativeHandle());
  EditorAudio audio(plugin, host, loop, settings.audio);
  bool ok = audio.Start(error);
  int settled = 0;
  const auto opened = std::chrono::steady_clock::now();
  while (ok && window->PumpEvents() && !StopSignalled()) {
    plugin.Dispatch(effEditIdle);
    int w = width, h = height;
    if (EditorSize(plugin, w, h) && (w != width || h != height)) {
      width = w;
      height = h;
      window->Resize(width, height);
    }
    if (settings.snapshot && audio.Finished() && ++settled > kSettleIdles &&
        std::chrono::steady_clock::now() - opened >= kShortestShow) {
      ok = window->Capture(picture, error);
      break;
    }
    std::this_thread::sleep_for(kIdlePeriod);
  }
  plugin.Dispatch(effEditClose);
  audio.Stop();
  if (ok && !window->PluginError().empty()) {
    error = plugin.Path() + ": " + window->PluginError();
    ok = false;
  }
  window.reset();
  return ok;
}

}  // namespace ferrix::host
