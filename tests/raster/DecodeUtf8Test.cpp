// UTF-8 decoding: each lead range with its continuation bytes, and what is not decoded as a
// sequence standing for itself byte by byte; a byte count never lets the decoder read on.
#include <gtest/gtest.h>

#include "raster/DecodeUtf8.h"

namespace {

TEST(DecodeUtf8, DecodesLeadRangesAndTakesStrayBytesAsThemselves) {
  struct Case {
    const char* text;
    int available;
    int unit;
    int bytes;
  } cases[] = {
      {"A", 4, 'A', 1},
      {"\xC3\xA9", 4, 0xE9, 2},         // é
      {"\xDF\xBF", 4, 0x7FF, 2},        // last 2-byte form
      {"\xE2\x82\xAC", 4, 0x20AC, 3},   // €
      {"\xEF\xBF\xBF", 4, 0xFFFF, 3},   // truncated to 16 bits
      {"\xE0\x80\x80", 4, 0x0000, 3},   // overlong forms are not rejected
      {"\xED\xA0\x80", 4, 0xD800, 3},   // nor surrogates
      {"\xF0\x9F\x98\x80", 4, ' ', 4},  // beyond 16 bits: one space, four bytes
      {"\xF4\x8F\xBF\xBF", 4, ' ', 4},
      {"\xC0\x80", 4, 0xC0, 1},  // 0xC0 and 0xC1 never lead
      {"\xC1\xBF", 4, 0xC1, 1},
      {"\x80", 4, 0x80, 1},              // stray continuation byte
      {"\xF5\x80\x80\x80", 4, 0xF5, 1},  // beyond the last lead
      {"\xFF", 4, 0xFF, 1},
      {"\xC3"
       "A",
       4, 0xC3, 1},  // lead without its continuation
      {"\xE2\x82"
       "A",
       4, 0xE2, 1},
      {"\xE2\x82", 4, 0xE2, 1},  // the terminating zero ends the sequence
      {"\xF0\x9F\x98", 4, 0xF0, 1},
      {"\xC3\xA9", 1, 0xC3, 1},  // cut by the byte count
      {"\xE2\x82\xAC", 2, 0xE2, 1},
      {"\xF0\x9F\x98\x80", 3, 0xF0, 1},
  };
  for (const Case& c : cases) {
    const DecodedUnit d = DecodeUtf8(c.text, c.available);
    EXPECT_EQ(d.unit, c.unit) << testing::PrintToString(c.text);
    EXPECT_EQ(d.bytes, c.bytes) << testing::PrintToString(c.text);
  }
}

}  // namespace
