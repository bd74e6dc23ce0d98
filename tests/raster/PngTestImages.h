// Writes small PNG images with libpng for the loader tests.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

struct PngTestImage {
  int width = 1;
  int height = 1;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  bool interlaced = false;
  std::vector<png_color> palette{};
  std::vector<uint8_t> transparency{};  // tRNS alpha per palette entry
  std::vector<uint8_t> rows{};          // height rows of packed samples, big-endian for 16 bits
};

inline std::vector<uint8_t> EncodePng(const PngTestImage& image) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t size) {
        auto* buffer = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        buffer->insert(buffer->end(), data, data + size);
      },
      nullptr);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty())
    png_set_PLTE(png, info, image.palette.data(), static_cast<int>(image.palette.size()));
  if (!image.transparency.empty())
    png_set_tRNS(png, info, image.transparency.data(), static_cast<int>(image.transparency.size()),
                 nullptr);
  const size_t rowBytes = image.rows.size() / image.height;
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < image.height; ++y)
    rowPointers.push_back(const_cast<png_bytep>(image.rows.data() + y * rowBytes));
  png_write_info(png, info);
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}
