// ferrix_make_reference_renders DIR: writes the test inputs (<input>.in) and every scene's
// output and meters (<scene>.out, <scene>.meters) into DIR. Run once; the files are frozen.
#include <cstdio>
#include <string>

#include "tools/renders/ReferenceScenes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const auto inputs = ReferenceInputs();
  for (const auto& [name, signal] : inputs) {
    if (!WriteDoubles(dir + "/" + name + ".in", Interleave(signal))) return 1;
  }
  for (const Scene& scene : ReferenceScenes()) {
    for (const auto& [name, signal] : inputs) {
      if (name != scene.input) continue;
      const Render render = RenderScene(scene, signal);
      if (!WriteDoubles(dir + "/" + scene.name + ".out", render.output) ||
          !WriteDoubles(dir + "/" + scene.name + ".meters", render.meters))
        return 1;
      std::printf("%s: %zu frames, %zu meter blocks\n", scene.name, render.output.size() / 2,
                  render.meters.size() / 12);
    }
  }
  return 0;
}
