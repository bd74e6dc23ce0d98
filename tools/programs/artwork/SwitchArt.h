// Two-frame switch images: frame 1 off, frame 2 on.
#pragma once

#include <cairo.h>

namespace artwork {

// Square push switch (15 × 15) with a lamp that lights when on.
void PaintSwitch(cairo_t* cr, int frame, int frames);
// Round indicator lamp (16 × 16); no control draws it.
void PaintLamp(cairo_t* cr, int frame, int frames);

}  // namespace artwork
