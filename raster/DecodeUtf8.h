// DecodeUtf8: one UTF-16 unit from UTF-8 text, lenient: what is no sequence of 2 or 3 bytes
// stands for itself, byte by byte; 4-byte sequences (beyond 16 bits) become one space.
#pragma once

struct DecodedUnit {
  int unit;   // 0..65535
  int bytes;  // 1..4
};

// Reads at most `available` bytes (at least 1 is read); a sequence cut short by it decodes as
// its lead byte alone.
DecodedUnit DecodeUtf8(const char* text, int available = 4);
