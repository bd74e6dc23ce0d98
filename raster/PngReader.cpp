// ReadPng: libpng with the transformations that turn every image into rows of alpha, red, green,
// blue bytes, decoded straight into the bitmap and then reordered in place into Pixels.
#include "raster/PngReader.h"

#include <csetjmp>
#include <cstdlib>

#include "raster/MemBitmap.h"

namespace {

// What the error path must release; kept in memory so a longjmp cannot clobber it.
struct PngRead {
  png_structp png = nullptr;
  png_infop info = nullptr;
  RasterBitmap* created = nullptr;
  png_bytep* rows = nullptr;
};

void RequestArgbRows(png_structp png, png_infop info, int bitDepth, int colourType) {
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (transparency) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  if ((colourType & PNG_COLOR_MASK_ALPHA) || transparency)
    png_set_swap_alpha(png);
  else
    png_set_filler(png, 255, PNG_FILLER_BEFORE);
}

// Bytes A, R, G, B in memory become the Pixel (A << 24) | (R << 16) | (G << 8) | B.
void ArgbBytesToPixels(png_bytep* rows, uint32_t width, uint32_t height) {
  for (uint32_t y = 0; y < height; ++y) {
    auto* pixel = reinterpret_cast<Pixel*>(rows[y]);
    for (uint32_t x = 0; x < width; ++x)
      pixel[x] = __builtin_bswap32(pixel[x]);
  }
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
  RequestArgbRows(state.png, state.info, bitDepth, colourType);

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
  ArgbBytesToPixels(state.rows, width, height);
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
  if (setjmp(png_jmpbuf(state.png))) {
    Release(state);
    return nullptr;
  }
  RasterBitmap* bitmap = Decode(state, attach, source, destination);
  if (!bitmap) Release(state);
  return bitmap;
}
