// X11Visual: the TrueColor visual the editor's windows are made with, and the conversion of our
// 32-bit canvas pixels to it.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// A 24-bit TrueColor visual of the display's screen when it has one, else its deepest TrueColor
// visual up to 24 bits (16-bit VNC sessions); false when it has none.
bool FindTrueColorVisual(Display* display, XVisualInfo* found);

// True when the visual's pixels are our canvas's 32-bit blue, green, red, alpha words as they
// are (24-bit with red in bits 16-23): put directly, no conversion.
bool HoldsCanvasPixels(const XVisualInfo& visual);

// The visual's pixel value for a canvas pixel (0xAARRGGBB), each colour cut to the visual's bits.
unsigned long VisualPixel(const XVisualInfo& visual, unsigned int argb);
