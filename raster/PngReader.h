// The libpng driving shared by the memory and file loaders.
#pragma once

#include <png.h>

#include "raster/RasterBitmap.h"

// Installs the data source on a new read structure.
using PngSourceAttach = void (*)(png_structp png, void* source);

// Decodes into destination (resized to the image) or, when null, a new MemBitmap. Null on any
// libpng error; a bitmap made here is then deleted.
RasterBitmap* ReadPng(PngSourceAttach attach, void* source, RasterBitmap* destination);
