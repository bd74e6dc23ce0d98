// ferrix-artwork: draws the editor's images, or composes the alignment preview from them.
//   ferrix-artwork images DIR               writes the eleven PNGs into DIR
//   ferrix-artwork preview DIR FRAME OUT    composes DIR's images at frame FRAME into OUT
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/programs/artwork/KnobArt.h"
#include "tools/programs/artwork/MeterArt.h"
#include "tools/programs/artwork/PanelArt.h"
#include "tools/programs/artwork/PanelLayout.h"
#include "tools/programs/artwork/Preview.h"
#include "tools/programs/artwork/StripWriter.h"
#include "tools/programs/artwork/SwitchArt.h"

namespace {

using artwork::FramePainter;

FramePainter PainterFor(int id) {
  switch (id) {
    case artwork::kSmallKnobImage:
      return artwork::PaintSmallKnob;
    case artwork::kLargeKnobImage:
      return artwork::PaintLargeKnob;
    case artwork::kLevelBarImage:
      return artwork::PaintLevelBar;
    case artwork::kShiftStripImage:
      return artwork::PaintShiftStrip;
    case artwork::kThresholdMarkerImage:
      return artwork::PaintThresholdMarker;
    case artwork::kBackgroundImage:
      return artwork::PaintPanel;
    case artwork::kLampImage:
      return artwork::PaintLamp;
    case artwork::kSwitchImage:
      return artwork::PaintSwitch;
    case artwork::kReductionBarImage:
      return artwork::PaintReductionBar;
    case artwork::kWaveKnobImage:
      return artwork::PaintWaveKnob;
    case artwork::kPeakLineImage:
      return artwork::PaintPeakLine;
    default:
      return nullptr;
  }
}

int Usage() {
  std::fprintf(stderr,
               "usage: ferrix-artwork images DIR\n"
               "       ferrix-artwork preview DIR FRAME OUT.png\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "images") == 0) {
    const std::string dir = argv[2];
    for (const artwork::ImageSpec& spec : artwork::kImages) {
      if (!artwork::WriteStrip(dir + "/" + spec.fileName, spec.width, spec.frameHeight, spec.frames,
                               PainterFor(spec.id))) {
        return 1;
      }
      std::printf("%d %s %d x %d\n", spec.id, spec.fileName, spec.width,
                  spec.frameHeight * spec.frames);
    }
    return 0;
  }
  if (argc == 5 && std::strcmp(argv[1], "preview") == 0) {
    char* end = nullptr;
    const long frame = std::strtol(argv[3], &end, 10);
    if (*argv[3] == '\0' || *end != '\0' || frame < 1 || frame > 1000) return Usage();
    return artwork::WritePreview(argv[2], static_cast<int>(frame), argv[4]) ? 0 : 1;
  }
  return Usage();
}
