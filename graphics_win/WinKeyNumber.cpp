// WinKeyNumber: the virtual-key code table.
#include "graphics_win/WinKeyNumber.h"

int WinKeyNumber(uint64_t virtualKey) {
  switch (virtualKey) {
    case 0x20:
      return 0;  // space
    case 0x26:
      return 1;  // up
    case 0x28:
      return 2;  // down
    case 0x25:
      return 3;  // left
    case 0x27:
      return 4;  // right
    default:
      break;
  }
  const int code = static_cast<int>(virtualKey);
  if (virtualKey >= 0x30 && virtualKey <= 0x39) return code - 0x2B;
  if (virtualKey >= 0x41 && virtualKey <= 0x5A) return code - 0x32;
  // 0x61..0x7A are the numeric pad and F1..F11, but they number like the letters.
  if (virtualKey >= 0x61 && virtualKey <= 0x7A) return code - 0x52;
  return -1;
}
