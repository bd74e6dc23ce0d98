// EditorSnapshot: host set-up, blocks and timer ticks.
#include "tools/programs/editor-snapshot/EditorSnapshot.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "effect/Ferrix.h"
#include "graphics/IGraphics.h"
#include "raster/SystemFont.h"

namespace {

constexpr int kBlockSize = 512;

// What Ferrix's texts ("Ubuntu", missing on most machines) are drawn with on Linux: the narrow
// face the font code prefers in its place, from Debian's fonts-dejavu-extra.
constexpr const char* kReferenceFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf"};

int FindPreset(Ferrix& effect, const std::string& name) {
  for (int i = 0; i < effect.NPresets(); ++i) {
    if (name == effect.GetPresetName(i)) return i;
  }
  return -1;
}

void Tick(IGraphics* editor) {
  IBounds area;
  if (editor->CollectDirtyArea(&area)) editor->RedrawArea(area);
}

}  // namespace

bool UseReferenceFonts(std::string& error) {
  if (UseOnlyFontFiles(kReferenceFontFiles, std::size(kReferenceFontFiles), error)) return true;
  error += " (Debian package fonts-dejavu-extra; tools/setup-packages.sh installs it)";
  return false;
}

bool DrawAfterProcessing(Ferrix& effect, const ferrix::host::AudioData& input,
                         const SnapshotScene& scene, std::string& error) {
  IGraphics* editor = effect.Graphics();
  if (!editor || !editor->Canvas()) {
    error = "the effect has no editor";
    return false;
  }
  if (input.ChannelCount() < 1 || input.sampleRate <= 0) {
    error = "the input has no audio";
    return false;
  }
  const int preset = FindPreset(effect, scene.preset);
  if (preset < 0) {
    error = "no factory preset named \"" + scene.preset + "\"";
    return false;
  }
  effect.SetSampleRate(input.sampleRate);
  effect.LoadPreset(preset);
  effect.AnnounceAllParams();
  effect.ResetState();
  Tick(editor);  // the window's first paint

  const std::vector<double>& left = input.channels[0];
  const std::vector<double>& right = input.channels[input.ChannelCount() > 1 ? 1 : 0];
  int64_t frames = input.Frames();
  if (scene.seconds > 0.0)
    frames = std::min<int64_t>(frames, static_cast<int64_t>(scene.seconds * input.sampleRate));
  const int64_t tickFrames = std::max(1, input.sampleRate / editor->FrameRate());
  std::vector<double> in[2] = {std::vector<double>(kBlockSize), std::vector<double>(kBlockSize)};
  std::vector<double> out[2] = {std::vector<double>(kBlockSize), std::vector<double>(kBlockSize)};
  int64_t nextTick = tickFrames;
  for (int64_t frame = 0; frame < frames;) {
    const int n = static_cast<int>(std::min<int64_t>(kBlockSize, frames - frame));
    std::copy_n(left.begin() + frame, n, in[0].begin());
    std::copy_n(right.begin() + frame, n, in[1].begin());
    double* inputs[2] = {in[0].data(), in[1].data()};
    double* outputs[2] = {out[0].data(), out[1].data()};
    effect.ProcessBlockDouble(inputs, outputs, n);
    frame += n;
    if (frame >= nextTick) {
      Tick(editor);
      nextTick += tickFrames;
    }
  }
  Tick(editor);
  return true;
}
