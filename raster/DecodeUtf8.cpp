// DecodeUtf8: lead byte ranges, then the continuation bytes each range needs.
#include "raster/DecodeUtf8.h"

namespace {
bool Continuation(unsigned char b) {
  return b >= 0x80 && b <= 0xBF;
}
// True when the `count` bytes after the lead exist and are all continuation bytes.
bool Followed(const unsigned char* t, int count, int available) {
  if (available <= count) return false;
  for (int i = 1; i <= count; ++i)
    if (!Continuation(t[i])) return false;  // stops at a terminating zero
  return true;
}
}  // namespace

DecodedUnit DecodeUtf8(const char* text, int available) {
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  const unsigned char lead = t[0];
  if (lead >= 0xC2 && lead <= 0xDF && Followed(t, 1, available))
    return {((lead & 0x1F) << 6) | (t[1] & 0x3F), 2};
  if (lead >= 0xE0 && lead <= 0xEF && Followed(t, 2, available))
    return {((lead << 12) | ((t[1] & 0x3F) << 6) | (t[2] & 0x3F)) & 0xFFFF, 3};
  if (lead >= 0xF0 && lead <= 0xF4 && Followed(t, 3, available)) return {0x20, 4};
  return {lead, 1};
}
