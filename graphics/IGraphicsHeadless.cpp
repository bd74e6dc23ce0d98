// IGraphicsHeadless: the answers of an editor without a window.
#include "graphics/IGraphicsHeadless.h"

#include "graphics/ModuleImage.h"
#include "raster/SavePng.h"
#include "raster/SysBitmap.h"

void IGraphicsHeadless::HostFolder(TextBuffer* folder) {
  if (folder) folder->Set("");
}

void IGraphicsHeadless::ModuleFolder(TextBuffer* folder) {
  if (folder) folder->Set("");
}

void IGraphicsHeadless::DesktopFolder(TextBuffer* folder) {
  if (folder) folder->Set("");
}

void IGraphicsHeadless::ChooseFile(TextBuffer* file, int, TextBuffer*, const char*) {
  // A dismissed dialog chooses no file.
  if (file) file->Set("");
}

RasterBitmap* IGraphicsHeadless::LoadImageResource(int id, const char* name) {
  return LoadModuleImage(id, name);
}

bool IGraphicsHeadless::SaveCanvasPng(const char* fileName) const {
  return Canvas() && SavePngFile(*Canvas(), fileName);
}
