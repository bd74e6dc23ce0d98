// ReadPng: libpng with the transformations that turn every image into rows of blue, green, red,
// alpha bytes, which on a little-endian machine are Pixels already, decoded straight into the
// bitmap.
#include "raster/PngReader.h"

#include <bit>
#include <csetjmp>
#include <cstdlib>

#include "raster/MemBitmap.h"

namespace {

// Pixel 0xAARRGGBB is stored as the bytes B, G, R, A only on little-endian machines.
static_assert(std::endian::native == std::endian::little);

// What the error path must release; kept in memory so a longjmp cannot clobber it.
struct PngRead {
  png_structp png = nullptr;
  png_infop info = nullptr;
  RasterBitmap* created = nullptr;
  png_bytep* rows = nullptr;
};

void RequestBgraRows(png_structp png, png_infop info, int bitDepth, int colourType) {
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (transparency) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  // Red and blue swapped while the row is written out (no extra pass over the pixels).
  png_set_bgr(png);
  if (!(colourType & PNG_COLOR_MASK_ALPHA) && !transparency)
    png_set_filler(png, 255, PNG_FILLER_AFTER);
}

// May leave through libpng's longjmp; everything to release is recorded in `state`.
RasterBitmap* Decode(PngRead& state, PngSourceAttach attach, void* source,
                     RasterBitmap* destination) {
  attach(state.png, source);
  png_read_info(state.png, state.info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0, compression = 0, filter = 0;
  png_get_IHDR(state.png, state.info, &width, &height, &bitDepth, &colourType, &interlace,
               &compression, &filter);
  RequestBgraRows(state.png, state.info, bitDepth, colourType);

  RasterBitmap* bitmap = destination;
  if (bitmap) {
    bitmap->Resize(static_cast<int32_t>(width), static_cast<int32_t>(height));
  } else {
    bitmap = state.created =
        new MemBitmap(static_cast<int32_t>(width), static_cast<int32_t>(height));
  }
  // A size the bitmap could not take (also an allocation failure) gives null.
  if (static_cast<uint32_t>(bitmap->Width()) != width ||
      static_cast<uint32_t>(bitmap->Height()) != height || !bitmap->Bits())
    return nullptr;

  state.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!state.rows) return nullptr;
  const ptrdiff_t span = static_cast<ptrdiff_t>(bitmap->RowSpan()) * 4;
  auto* first = reinterpret_cast<png_bytep>(bitmap->Bits());
  for (uint32_t y = 0; y < height; ++y) {
    const ptrdiff_t memoryRow = bitmap->IsBottomUp() ? height - 1 - y : y;
    state.rows[y] = first + memoryRow * span;
  }
  png_read_image(state.png, state.rows);
  png_destroy_read_struct(&state.png, &state.info, nullptr);
  std::free(state.rows);
  state.rows = nullptr;
  state.created = nullptr;
  return bitmap;
}

void Release(PngRead& state) {
  if (state.png) png_destroy_read_struct(&state.png, &state.info, nullptr);
  delete state.created;
  std::free(state.rows);
}

}  // namespace

RasterBitmap* ReadPng(PngSourceAttach attach, void* source, RasterBitmap* destination) {
  PngRead state;
  state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!state.png) return nullptr;
  state.info = png_create_info_struct(state.png);
  if (!state.info) {
    png_destroy_read_struct(&state.png, nullptr, nullptr);
    return nullptr;
  }
  // The zlib stream's Adler-32 sum is a fifth of the decoding time; every chunk's CRC, checked
  // over the compressed bytes, still catches corrupted data.
  png_set_option(state.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
  if (setjmp(png_jmpbuf(state.png))) {
    Release(state);
    return nullptr;
  }
  RasterBitmap* bitmap = Decode(state, attach, source, destination);
  if (!bitmap) Release(state);
  return bitmap;
}
