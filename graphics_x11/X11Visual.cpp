// X11Visual: finding the visual and converting pixels to it.
#include "graphics_x11/X11Visual.h"

namespace {

// The 8-bit colour c placed in the bits of mask, its low bits dropped when the mask is narrower.
unsigned long Channel(unsigned long mask, unsigned int c) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1))
    ++shift;
  int bits = 0;
  while ((mask >> (shift + bits)) & 1)
    ++bits;
  const unsigned long value = bits >= 8 ? c << (bits - 8) : c >> (8 - bits);
  return (value << shift) & mask;
}

}  // namespace

bool FindTrueColorVisual(Display* display, XVisualInfo* found) {
  const int screen = DefaultScreen(display);
  if (XMatchVisualInfo(display, screen, 24, TrueColor, found)) return true;
  XVisualInfo wanted{};
  wanted.screen = screen;
  wanted.c_class = TrueColor;
  int count = 0;
  XVisualInfo* visuals =
      XGetVisualInfo(display, VisualScreenMask | VisualClassMask, &wanted, &count);
  int best = -1;
  for (int i = 0; i < count; ++i)
    if (visuals[i].depth <= 24 && (best < 0 || visuals[i].depth > visuals[best].depth)) best = i;
  if (best >= 0) *found = visuals[best];
  if (visuals) XFree(visuals);
  return best >= 0;
}

bool HoldsCanvasPixels(const XVisualInfo& visual) {
  return visual.depth == 24 && visual.red_mask == 0xFF0000 && visual.green_mask == 0xFF00 &&
         visual.blue_mask == 0xFF;
}

unsigned long VisualPixel(const XVisualInfo& visual, unsigned int argb) {
  return Channel(visual.red_mask, (argb >> 16) & 0xFF) |
         Channel(visual.green_mask, (argb >> 8) & 0xFF) | Channel(visual.blue_mask, argb & 0xFF);
}
