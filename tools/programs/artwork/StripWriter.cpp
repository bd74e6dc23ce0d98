// Frame-by-frame PNG writing with libpng: straight (not premultiplied) RGBA, 8 bits a sample.
#include "tools/programs/artwork/StripWriter.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace artwork {
namespace {

// cairo stores premultiplied native-endian ARGB words; PNG wants straight R, G, B, A bytes.
void UnpremultiplyRow(const uint32_t* source, int width, uint8_t* out) {
  for (int x = 0; x < width; ++x) {
    const uint32_t word = source[x];
    const uint32_t alpha = word >> 24;
    uint32_t channel[3] = {(word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF};
    for (uint32_t& c : channel)
      c = alpha == 0 ? 0 : (c * 255 + alpha / 2) / alpha;
    out[4 * x + 0] = static_cast<uint8_t>(channel[0]);
    out[4 * x + 1] = static_cast<uint8_t>(channel[1]);
    out[4 * x + 2] = static_cast<uint8_t>(channel[2]);
    out[4 * x + 3] = static_cast<uint8_t>(alpha);
  }
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

bool WriteStrip(const std::string& path, int width, int frameHeight, int frames,
                const FramePainter& paint) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    std::fprintf(stderr, "artwork: cannot write %s\n", path.c_str());
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, frameHeight);
  // libpng reports errors by longjmp; nothing below owns anything that needs unwinding except
  // the surface and the PNG structures, released on both paths.
  if (setjmp(png_jmpbuf(png))) {
    cairo_surface_destroy(surface);
    png_destroy_write_struct(&png, &info);
    std::fprintf(stderr, "artwork: libpng failed on %s\n", path.c_str());
    return false;
  }
  png_init_io(png, file.get());
  png_set_compression_level(png, 9);
  // No Paeth or average rows: unfiltering them is most of the editor's first-paint decode, while
  // the strips' frames compress as well with "up" (rows repeat down a strip).
  png_set_filter(png, 0, PNG_FILTER_NONE | PNG_FILTER_SUB | PNG_FILTER_UP);
  png_set_IHDR(png, info, width, frameHeight * frames, 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int frame = 1; frame <= frames; ++frame) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    paint(cr, frame, frames);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < frameHeight; ++y) {
      UnpremultiplyRow(reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride),
                       width, row.data());
      png_write_row(png, row.data());
    }
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  cairo_surface_destroy(surface);
  if (std::fflush(file.get()) != 0) {
    std::fprintf(stderr, "artwork: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace artwork
