// The 640 × 480 background: matte side cheeks holding the meter bays and their scales, a brushed
// centre plate with the title, the captions of every control and light value windows under
// every value text, and the maker's name over the web-address area.
#pragma once

#include <cairo.h>

#include "effect/MakerAddress.h"

namespace artwork {

void PaintPanel(cairo_t* cr, int frame, int frames);

// The maker's name on the panel, over the area that opens kMakerWebAddress.
inline constexpr const char* kMakerName = "MORVANE";

}  // namespace artwork
