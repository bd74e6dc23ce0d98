// ferrix_make_reference_renders DIR: writes the test inputs (<input>.in) and every scene's
// output and meters through both entry points (<scene>.out, <scene>.meters for 64-bit buffers,
// <scene>.float.out, <scene>.float.meters for 32-bit ones) into DIR. Run once; the files are
// frozen.
#include <cstdio>
#include <string>

#include "tools/programs/renders/ReferenceScenes.h"

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
      for (EntryPoint entry : {EntryPoint::kDouble, EntryPoint::kFloat}) {
        const Render render = RenderScene(scene, signal, entry);
        const std::string file = dir + "/" + scene.name + FileSuffix(entry);
        if (!WriteDoubles(file + ".out", render.output) ||
            !WriteDoubles(file + ".meters", render.meters))
          return 1;
        std::printf("%s%s: %zu frames, %zu meter blocks\n", scene.name, FileSuffix(entry),
                    render.output.size() / 2, render.meters.size() / 12);
      }
    }
  }
  return 0;
}
