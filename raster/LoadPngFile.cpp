// LoadPngFile: a PNG file named in UTF-8, into a given bitmap or a new one.
#include "raster/LoadPng.h"
#include "raster/OpenFileUtf8.h"
#include "raster/PngReader.h"

namespace {
void AttachFile(png_structp png, void* file) {
  png_init_io(png, static_cast<std::FILE*>(file));
}
}  // namespace

RasterBitmap* LoadPngFile(const char* fileName, RasterBitmap* destination) {
  if (!fileName) return nullptr;
  std::FILE* file = OpenFileUtf8(fileName);
  if (!file) return nullptr;
  RasterBitmap* bitmap = ReadPng(AttachFile, file, destination);
  std::fclose(file);
  return bitmap;
}
