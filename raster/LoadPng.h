// PNG image loading into bitmaps of straight-alpha pixels (alpha 255 where the image has none).
// Every failure answers null; the caller owns every bitmap returned.
#pragma once

#include <cstdint>

#include "platform/ModuleInstance.h"
#include "raster/MemBitmap.h"

// Resource of type "PNG" with this id in the module (more than 7 bytes, or null).
MemBitmap* LoadPngResource(ModuleHandle module, int id);
MemBitmap* LoadPngMemory(const void* data, int32_t size);
// fileName is UTF-8. With a destination, that bitmap is resized to the image and answered; a
// destination that cannot take the image's size gives null (and is not deleted).
RasterBitmap* LoadPngFile(const char* fileName, RasterBitmap* destination = nullptr);
