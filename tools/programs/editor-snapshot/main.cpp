// ferrix-editor-snapshot: draws Ferrix's editor headless after processing an audio file and
// writes the canvas as a PNG.
//   ferrix-editor-snapshot INPUT OUTPUT.png [PRESET [SECONDS]]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "effect/ExecutableImages.h"
#include "effect/Ferrix.h"
#include "graphics/IGraphics.h"
#include "raster/SavePng.h"
#include "raster/SysBitmap.h"
#include "tools/programs/editor-snapshot/EditorSnapshot.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr,
                 "usage: ferrix-editor-snapshot INPUT OUTPUT.png [PRESET [SECONDS]]\n"
                 "  PRESET: a factory preset name (default \"-\", the defaults)\n"
                 "  SECONDS: how much of INPUT to process (default: all)\n");
    return 2;
  }
  SnapshotScene scene;
  if (argc > 3) scene.preset = argv[3];
  if (argc > 4) {
    char* end = nullptr;
    scene.seconds = std::strtod(argv[4], &end);
    if (end == argv[4] || *end != '\0' || !(scene.seconds >= 0.0)) {
      std::fprintf(stderr, "ferrix-editor-snapshot: SECONDS is no number: %s\n", argv[4]);
      return 2;
    }
  }
  ferrix::host::AudioData input;
  std::string error;
  if (!ferrix::host::ReadAudioFile(argv[1], input, error)) {
    std::fprintf(stderr, "ferrix-editor-snapshot: %s\n", error.c_str());
    return 1;
  }
  if (!UseReferenceFonts(error)) {
    std::fprintf(stderr, "ferrix-editor-snapshot: %s\n", error.c_str());
    return 1;
  }
  SetModuleInstance(ExecutableImages());
  Ferrix effect(nullptr);
  if (!DrawAfterProcessing(effect, input, scene, error)) {
    std::fprintf(stderr, "ferrix-editor-snapshot: %s\n", error.c_str());
    return 1;
  }
  if (!SavePngFile(*effect.Graphics()->Canvas(), argv[2])) {
    std::fprintf(stderr, "ferrix-editor-snapshot: cannot write %s\n", argv[2]);
    return 1;
  }
  const ClipShifter& p = effect.Processing();
  std::printf("%s: preset \"%s\", active threshold %.4f, shift %.3f, reduction %.3f\n", argv[2],
              scene.preset.c_str(), p.activeThreshold, p.shiftAmount, p.reduction.value);
  return 0;
}
