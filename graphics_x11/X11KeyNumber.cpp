// X11KeyNumber: space, arrows, digits and letters (either case) as key numbers 0 to 40.
#include "graphics_x11/X11KeyNumber.h"

#include <X11/keysym.h>

int X11KeyNumber(unsigned long keysym) {
  switch (keysym) {
    case XK_space:
      return 0;
    case XK_Up:
    case XK_KP_Up:
      return 1;
    case XK_Down:
    case XK_KP_Down:
      return 2;
    case XK_Left:
    case XK_KP_Left:
      return 3;
    case XK_Right:
    case XK_KP_Right:
      return 4;
    default:
      break;
  }
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>(keysym - XK_0) + 5;
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<int>(keysym - XK_a) + 15;
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int>(keysym - XK_A) + 15;
  return -1;
}
