// The image loader list and the PNG loader node.
#include "raster/ImageLoaderNode.h"

#include <cstring>

#include "raster/LoadPng.h"

namespace {

ImageLoaderNode* loaderHead = nullptr;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The name's last component from '.', '/' or '\\' (the first character never counts) equals
// ".png" ignoring case. (Editor image names follow a rule of their own: HasPngExtension.)
bool EndsInPngFileExtension(const char* fileName) {
  if (!fileName) return false;
  const char* end = fileName + std::strlen(fileName);
  const char* p = end;
  while (p > fileName && *p != '.' && *p != '/' && *p != '\\')
    --p;
  static constexpr char kExtension[] = ".png";
  if (end - p != 4) return false;
  for (int i = 0; i < 4; ++i)
    if (Lower(p[i]) != kExtension[i]) return false;
  return true;
}

RasterBitmap* LoadPngNamed(const char* fileName, bool checkExtension, RasterBitmap* destination) {
  if (checkExtension && !EndsInPngFileExtension(fileName)) return nullptr;
  return LoadPngFile(fileName, destination);
}

const char* PngDescription() {
  return "PNG files (*.PNG)";
}

ImageLoaderNode pngNode{LoadPngNamed, PngDescription, nullptr};
bool pngRegistered = false;

}  // namespace

ImageLoaderNode* ImageLoaders() {
  return loaderHead;
}

void RegisterPngLoader() {
  // A second push would make the node its own successor.
  if (pngRegistered) return;
  pngRegistered = true;
  pngNode.next = loaderHead;
  loaderHead = &pngNode;
}
