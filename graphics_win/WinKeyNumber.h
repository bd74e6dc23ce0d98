// The editor's key number (IGraphics::KeyDown) for a Win32 virtual-key code.
#pragma once

#include <cstdint>

// 0 space, 1 up, 2 down, 3 left, 4 right, 5..14 digits, 15..40 letters (0x41..0x5A and the
// codes 0x61..0x7A alike); -1 for every other code.
int WinKeyNumber(uint64_t virtualKey);
