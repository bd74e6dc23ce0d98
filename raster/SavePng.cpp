// SavePng: one libpng write path behind the three entry points; each row is fetched on demand,
// so a bitmap is converted one row at a time.
#include "raster/SavePng.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "raster/OpenFileUtf8.h"
#include "raster/PixelRowAddress.h"

namespace {

struct PngHeader {
  int width;
  int height;
  int bitDepth;
  int colourType;
  bool interlaced;
  const std::vector<png_color>* palette;
  const std::vector<uint8_t>* transparency;
};

// Fills `row` (rowBytes long) with image row y; interlaced images ask for every row at once.
using RowSource = void (*)(const void* context, int y, png_bytep row);

// What the error path must release; in memory so a longjmp cannot clobber it.
struct PngWrite {
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_bytep buffer = nullptr;
  png_bytepp rows = nullptr;
};

void Release(PngWrite& state) {
  if (state.png) png_destroy_write_struct(&state.png, &state.info);
  std::free(state.buffer);
  std::free(state.rows);
}

void AppendToVector(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  try {
    out->insert(out->end(), data, data + size);
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");
  }
}

void Flush(png_structp) {}

// May leave through libpng's longjmp; everything to release is recorded in `state`.
void WriteRows(PngWrite& state, const PngHeader& h, RowSource source, const void* context) {
  png_set_IHDR(state.png, state.info, static_cast<png_uint_32>(h.width),
               static_cast<png_uint_32>(h.height), h.bitDepth, h.colourType,
               h.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!h.palette->empty())
    png_set_PLTE(state.png, state.info, h.palette->data(), static_cast<int>(h.palette->size()));
  if (!h.transparency->empty())
    png_set_tRNS(state.png, state.info, h.transparency->data(),
                 static_cast<int>(h.transparency->size()), nullptr);
  png_write_info(state.png, state.info);
  const size_t rowBytes = png_get_rowbytes(state.png, state.info);
  const size_t rowCount = h.interlaced ? static_cast<size_t>(h.height) : 1;
  state.buffer = static_cast<png_bytep>(std::malloc(rowBytes * rowCount));
  if (!state.buffer) png_error(state.png, "out of memory");
  if (h.interlaced) {
    state.rows = static_cast<png_bytepp>(std::malloc(sizeof(png_bytep) * rowCount));
    if (!state.rows) png_error(state.png, "out of memory");
    for (int y = 0; y < h.height; ++y) {
      state.rows[y] = state.buffer + y * rowBytes;
      source(context, y, state.rows[y]);
    }
    png_write_image(state.png, state.rows);
  } else {
    for (int y = 0; y < h.height; ++y) {
      source(context, y, state.buffer);
      png_write_row(state.png, state.buffer);
    }
  }
  png_write_end(state.png, nullptr);
}

// `attach` points libpng at the output.
template <typename Attach>
bool Encode(const PngHeader& header, RowSource source, const void* context, Attach attach) {
  if (header.width < 1 || header.height < 1) return false;
  PngWrite state;
  state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!state.png) return false;
  state.info = png_create_info_struct(state.png);
  if (!state.info || setjmp(png_jmpbuf(state.png))) {
    Release(state);
    return false;
  }
  attach(state.png);
  WriteRows(state, header, source, context);
  Release(state);
  return true;
}

struct RawRows {
  const PngRows* image;
  size_t rowBytes;
};

void RawRow(const void* context, int y, png_bytep row) {
  const auto* raw = static_cast<const RawRows*>(context);
  std::memcpy(row, raw->image->rows.data() + y * raw->rowBytes, raw->rowBytes);
}

// Pixel 0xAARRGGBB into the bytes R, G, B, A.
void BitmapRow(const void* context, int y, png_bytep row) {
  auto* bitmap = static_cast<RasterBitmap*>(const_cast<void*>(context));
  const auto* pixel = reinterpret_cast<const Pixel*>(AddressOf(bitmap, 0, y).row);
  for (int x = 0; x < bitmap->Width(); ++x, row += 4) {
    row[0] = static_cast<png_byte>(pixel[x] >> 16);
    row[1] = static_cast<png_byte>(pixel[x] >> 8);
    row[2] = static_cast<png_byte>(pixel[x]);
    row[3] = static_cast<png_byte>(pixel[x] >> 24);
  }
}

const std::vector<png_color> kNoPalette;
const std::vector<uint8_t> kNoTransparency;

PngHeader BitmapHeader(RasterBitmap* bitmap) {
  return {bitmap->Width(), bitmap->Height(), 8, PNG_COLOR_TYPE_RGB_ALPHA, false,
          &kNoPalette,     &kNoTransparency};
}

// The accessors are not const in the bitmap interface; writing only reads the pixels.
RasterBitmap* Readable(const RasterBitmap& bitmap) {
  auto* b = const_cast<RasterBitmap*>(&bitmap);
  return b->Bits() && b->Width() > 0 && b->Height() > 0 ? b : nullptr;
}

}  // namespace

std::vector<uint8_t> EncodePngRows(const PngRows& image) {
  std::vector<uint8_t> out;
  if (image.width < 1 || image.height < 1) return out;
  const int channels = image.colourType == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
                       : image.colourType == PNG_COLOR_TYPE_RGB        ? 3
                       : image.colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                       : 1;
  const size_t rowBytes = (static_cast<size_t>(image.width) * channels * image.bitDepth + 7) / 8;
  if (image.rows.size() < rowBytes * image.height) return out;
  const RawRows raw{&image, rowBytes};
  const PngHeader header{image.width,      image.height,   image.bitDepth,     image.colourType,
                         image.interlaced, &image.palette, &image.transparency};
  if (!Encode(header, RawRow, &raw,
              [&](png_structp png) { png_set_write_fn(png, &out, AppendToVector, Flush); }))
    out.clear();
  return out;
}

bool SavePngMemory(const RasterBitmap& bitmap, std::vector<uint8_t>& out) {
  out.clear();
  RasterBitmap* b = Readable(bitmap);
  if (!b) return false;
  if (Encode(BitmapHeader(b), BitmapRow, b,
             [&](png_structp png) { png_set_write_fn(png, &out, AppendToVector, Flush); }))
    return true;
  out.clear();
  return false;
}

bool SavePngFile(const RasterBitmap& bitmap, const char* fileName) {
  RasterBitmap* b = Readable(bitmap);
  if (!b || !fileName) return false;
  std::FILE* file = OpenFileUtf8(fileName, "wb");
  if (!file) return false;
  const bool encoded =
      Encode(BitmapHeader(b), BitmapRow, b, [&](png_structp png) { png_init_io(png, file); });
  return std::fclose(file) == 0 && encoded;
}
