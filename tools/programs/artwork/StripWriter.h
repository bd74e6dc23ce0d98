// Writes a multi-frame image as one PNG, frames one below the other. Each frame is drawn with
// cairo into its own surface, so strips may be taller than cairo's largest surface.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

namespace artwork {

// Draws frame `frame` (1-based) of `frames` into a cleared, fully transparent context whose
// origin is the frame's top-left corner.
using FramePainter = std::function<void(cairo_t* cr, int frame, int frames)>;

// False (with a message on stderr) when the file cannot be written.
bool WriteStrip(const std::string& path, int width, int frameHeight, int frames,
                const FramePainter& paint);

}  // namespace artwork
