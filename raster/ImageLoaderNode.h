// The list of file-type image loaders (for file-open dialogs and generic loading) and the PNG
// loader's node.
#pragma once

#include "raster/RasterBitmap.h"

struct ImageLoaderNode {
  // Loads fileName (UTF-8) into destination or a new bitmap; with checkExtension the name must
  // carry this loader's extension. Null on failure.
  RasterBitmap* (*load)(const char* fileName, bool checkExtension, RasterBitmap* destination);
  // File-type description for dialogs, e.g. "PNG files (*.PNG)".
  const char* (*description)();
  ImageLoaderNode* next;
};

// Head of the list; null until loaders are registered.
ImageLoaderNode* ImageLoaders();
// Pushes the PNG node onto the front of the list, once; called at module start-up.
void RegisterPngLoader();
