// The alignment check: the background with frame N of every control image placed at its
// control's area, and sample value texts in the knobs' text rows and the read-outs.
#pragma once

#include <string>

namespace artwork {

// Reads the images from `imageDir`; frame N is clamped to each image's frame count. False (with
// a message on stderr) when an image cannot be read or has the wrong size.
bool WritePreview(const std::string& imageDir, int frame, const std::string& outPath);

}  // namespace artwork
