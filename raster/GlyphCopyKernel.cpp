// CopyCoverageFullOpacity with SSE2: four pixels at a time in 16-bit lanes. The truncating
// division of a signed product is done on its magnitude (|d - s| x w fits 16 bits unsigned)
// with the sign put back afterwards; a zero coverage gets weight 256, which leaves d as it is.
#include "raster/GlyphCopyKernel.h"

#include <emmintrin.h>

#include <cstring>

namespace {

inline void CopyPixel(uint8_t* d, const int s[4], int c) {
  const int w = 255 - c;
  for (int i = 0; i < 4; ++i)
    d[i] = static_cast<uint8_t>(s[i] + (d[i] - s[i]) * w / 256);
}

// d + sign-restored (|d - s| x w >> 8) for eight 16-bit lanes.
inline __m128i Towards(__m128i d, __m128i s, __m128i w) {
  const __m128i diff = _mm_sub_epi16(d, s);
  const __m128i sign = _mm_srai_epi16(diff, 15);
  const __m128i magnitude = _mm_sub_epi16(_mm_xor_si128(diff, sign), sign);
  const __m128i scaled = _mm_srli_epi16(_mm_mullo_epi16(magnitude, w), 8);
  return _mm_add_epi16(s, _mm_sub_epi16(_mm_xor_si128(scaled, sign), sign));
}

}  // namespace

void CopyCoverageFullOpacity(uint8_t* destination, ptrdiff_t step, const uint8_t* coverage,
                             int stride, int columns, int rows, Pixel colour) {
  const int s[4] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                    static_cast<int>((colour >> 16) & 0xFF), 255};
  const __m128i zero = _mm_setzero_si128();
  const __m128i s16 = _mm_set_epi16(255, static_cast<short>(s[2]), static_cast<short>(s[1]),
                                    static_cast<short>(s[0]), 255, static_cast<short>(s[2]),
                                    static_cast<short>(s[1]), static_cast<short>(s[0]));
  const __m128i full = _mm_set1_epi16(255);
  const __m128i solid = _mm_set1_epi32(static_cast<int>(colour | 0xFF000000u));
  // Each coverage byte spread over its pixel's four 16-bit lanes, as the weight 255 - c, or 256
  // where c is 0.
  auto weights = [&](uint32_t coverageBytes, __m128i& low, __m128i& high) {
    const __m128i c8 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(coverageBytes)), zero);
    const __m128i c16 = _mm_unpacklo_epi16(c8, c8);  // c0 c0 c1 c1 c2 c2 c3 c3
    auto weight = [&](__m128i cov) {
      return _mm_sub_epi16(_mm_sub_epi16(full, cov), _mm_cmpeq_epi16(cov, zero));
    };
    low = weight(_mm_unpacklo_epi32(c16, c16));
    high = weight(_mm_unpackhi_epi32(c16, c16));
  };
  for (int y = 0; y < rows; ++y) {
    const uint8_t* c = coverage + static_cast<ptrdiff_t>(y) * stride;
    uint8_t* d = destination + y * step;
    int x = 0;
    for (; x + 4 <= columns; x += 4) {
      uint32_t four;
      std::memcpy(&four, c + x, 4);
      if (four == 0) continue;
      auto* target = reinterpret_cast<__m128i*>(d + x * 4);
      if (four == 0xFFFFFFFFu) {  // full coverage is the colour itself
        _mm_storeu_si128(target, solid);
        continue;
      }
      __m128i lowWeight, highWeight;
      weights(four, lowWeight, highWeight);
      const __m128i pixels = _mm_loadu_si128(target);
      const __m128i low = Towards(_mm_unpacklo_epi8(pixels, zero), s16, lowWeight);
      const __m128i high = Towards(_mm_unpackhi_epi8(pixels, zero), s16, highWeight);
      _mm_storeu_si128(target, _mm_packus_epi16(low, high));
    }
    if (x + 2 <= columns) {  // two pixels in the low half
      const uint32_t two = c[x] | static_cast<uint32_t>(c[x + 1]) << 8;
      if (two != 0) {
        __m128i lowWeight, highWeight;
        weights(two, lowWeight, highWeight);
        auto* target = reinterpret_cast<__m128i*>(d + x * 4);
        const __m128i low =
            Towards(_mm_unpacklo_epi8(_mm_loadl_epi64(target), zero), s16, lowWeight);
        _mm_storel_epi64(target, _mm_packus_epi16(low, zero));
      }
      x += 2;
    }
    for (; x < columns; ++x)
      if (c[x] != 0) CopyPixel(d + x * 4, s, c[x]);
  }
}
