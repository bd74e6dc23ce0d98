// DejaVu Sans as a system font for the font tests: fontconfig finds it on Linux; on Windows the
// test loads the file privately, so the result does not depend on the machine's fonts.
#pragma once

#include "raster/SystemFont.h"

SystemFontHandle MakeTestFont(int height, int quality = 0);
