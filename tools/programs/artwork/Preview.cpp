// Preview composition with cairo. Texts approximate the editor's: the "Ubuntu" face (or what
// fontconfig substitutes) at a cell height of 16 (knobs) or 14 (read-outs), black, centred,
// from the top of the text area.
#include "tools/programs/artwork/Preview.h"

#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "tools/programs/artwork/PanelLayout.h"

namespace artwork {
namespace {

struct Decoded {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // premultiplied ARGB words, as cairo keeps them
};

bool ReadPng(const std::string& path, Decoded& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    std::fprintf(stderr, "artwork: cannot read %s: %s\n", path.c_str(), image.message);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    std::fprintf(stderr, "artwork: cannot decode %s: %s\n", path.c_str(), image.message);
    return false;
  }
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels.resize(rgba.size() / 4);
  for (size_t i = 0; i < out.pixels.size(); ++i) {
    const uint32_t a = rgba[4 * i + 3];
    auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
    out.pixels[i] =
        a << 24 | pre(rgba[4 * i]) << 16 | pre(rgba[4 * i + 1]) << 8 | pre(rgba[4 * i + 2]);
  }
  return true;
}

// Paints rows [frameTop, frameTop + height) of a decoded strip at (x, y).
void PaintFrame(cairo_t* cr, const Decoded& strip, int frameTop, int height, int x, int y) {
  cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, strip.width, height);
  uint8_t* data = cairo_image_surface_get_data(frame);
  const int stride = cairo_image_surface_get_stride(frame);
  for (int row = 0; row < height; ++row) {
    std::memcpy(data + static_cast<size_t>(row) * stride,
                &strip.pixels[static_cast<size_t>(frameTop + row) * strip.width],
                static_cast<size_t>(strip.width) * 4);
  }
  cairo_surface_mark_dirty(frame);
  cairo_set_source_surface(cr, frame, x, y);
  cairo_paint(cr);
  cairo_surface_destroy(frame);
}

// The knob parameters' ranges and display rules, to print what a frame's value reads.
struct KnobParam {
  double min, max, shape;
  int decimals;
  const char* label;
};
const std::map<int, KnobParam> kKnobParams = {
    {0, {-22, 22, 1, 1, "dB"}},  {1, {-22, 22, 1, 1, "dB"}}, {2, {-44, 0, 0.5, 1, "dB"}},
    {3, {-44, 0, 0.5, 1, "dB"}}, {4, {0.1, 1, 0.5, 2, ""}},  {5, {1, 1000, 2, 0, "ms"}},
};

std::string KnobText(int param, double normalised) {
  const KnobParam& p = kKnobParams.at(param);
  const double plain = p.min + (p.max - p.min) * std::pow(normalised, p.shape);
  char text[32];
  std::snprintf(text, sizeof text, "%.*f%s%s", p.decimals, plain, *p.label ? " " : "", p.label);
  return text;
}

// Black text centred in the box, its cell of `cellHeight` pixels starting at the box's top.
void CellText(cairo_t* cr, const std::string& text, const Box& box, double cellHeight) {
  cairo_select_font_face(cr, "Ubuntu", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, cellHeight);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const double size = cellHeight * cellHeight / (font.ascent + font.descent);
  cairo_set_font_size(cr, size);
  cairo_font_extents(cr, &font);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, std::round(box.CentreX() - extents.x_advance * 0.5),
                std::round(box.top + font.ascent));
  cairo_show_text(cr, text.c_str());
}

}  // namespace

bool WritePreview(const std::string& imageDir, int frame, const std::string& outPath) {
  std::map<int, Decoded> images;
  for (const ImageSpec& spec : kImages) {
    Decoded& d = images[spec.id];
    if (!ReadPng(imageDir + "/" + spec.fileName, d)) return false;
    if (d.width != spec.width || d.height != spec.frameHeight * spec.frames) {
      std::fprintf(stderr, "artwork: %s is %d x %d, expected %d x %d\n", spec.fileName, d.width,
                   d.height, spec.width, spec.frameHeight * spec.frames);
      return false;
    }
  }
  cairo_surface_t* canvas = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 640, 480);
  cairo_t* cr = cairo_create(canvas);
  PaintFrame(cr, images[106], 0, 480, 0, 0);
  double outputLevels[2] = {0, 0};
  for (const PanelControl& control : kControls) {
    if (control.imageId == 0) continue;
    const ImageSpec& spec = Image(control.imageId);
    const int shown = std::clamp(frame, 1, spec.frames);
    PaintFrame(cr, images[spec.id], (shown - 1) * spec.frameHeight, spec.frameHeight,
               control.area.left, control.area.top);
    const double value = FrameFraction(shown, spec.frames);
    if (control.kind == ControlKind::Knob) {
      const Box textRow = {control.area.left, control.area.bottom - kKnobTextRow,
                           control.area.right, control.area.bottom};
      CellText(cr, KnobText(control.param, value), textRow, kKnobTextSize);
    }
    if (spec.id == 103 && control.area.left >= kOutputBarLeft.left) {
      outputLevels[control.area.left == kOutputBarLeft.left ? 0 : 1] = value;
    }
  }
  // The read-outs print the output level as "%2.1f dB" with a floor of -60 dB.
  for (int side = 0; side < 2; ++side) {
    char text[32];
    std::snprintf(text, sizeof text, "%2.1f dB",
                  20.0 * std::log10(std::max(outputLevels[side], 0.001)));
    CellText(cr, text, side == 0 ? kReadOutLeft : kReadOutRight, kReadOutTextSize);
  }
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(canvas, outPath.c_str());
  cairo_surface_destroy(canvas);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "artwork: cannot write %s: %s\n", outPath.c_str(),
                 cairo_status_to_string(status));
    return false;
  }
  return true;
}

}  // namespace artwork
