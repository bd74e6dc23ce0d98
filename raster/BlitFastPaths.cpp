// Fast blit kernels (SSE2, four pixels at a time), each byte-identical to its exact kernel.
#include <emmintrin.h>

#include <algorithm>

#include "raster/BlendMode.h"
#include "raster/BlitKernels.h"

namespace {

// Exact formula of BLEND_COPY | BLEND_USE_SOURCE_ALPHA at ia 256 for one pixel (the tails).
inline void CopySourceAlphaPixel(uint8_t* d, const uint8_t* s) {
  const int sa = s[3];
  if (sa == 0) return;
  for (int i = 0; i < 3; ++i)
    d[i] = static_cast<uint8_t>(s[i] + (d[i] - s[i]) * (255 - sa) / 256);
  d[3] = static_cast<uint8_t>(std::min(255, d[3] + sa));
}

// s + (d - s) x (255 - sa) / 256 with truncation toward zero equals s +- (|d - s| x w) >> 8
// taken with the sign of d - s; |d - s| x w stays below 65536, so unsigned 16-bit lanes hold it.
// The alpha byte, min(255, d + sa), is a saturating byte add. Transparent pixels keep d; at
// sa = 255 the colour formula gives s and the alpha 255 by itself.
void CopySourceAlphaFull(const BlitRows& r, int) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i opaque = _mm_set1_epi32(255);
  uint8_t* destinationRow = r.destination;
  const uint8_t* sourceRow = r.source;
  const int groups = r.columns / 4;
  for (int y = 0; y < r.rows; ++y) {
    uint8_t* d = destinationRow;
    const uint8_t* s = sourceRow;
    for (int g = 0; g < groups; ++g, d += 16, s += 16) {
      const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
      const __m128i sa = _mm_srli_epi32(src, 24);
      const __m128i transparent = _mm_cmpeq_epi32(sa, zero);
      const int transparentMask = _mm_movemask_epi8(transparent);
      if (transparentMask == 0xFFFF) continue;
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(sa, opaque)) == 0xFFFF) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), src);
        continue;
      }
      const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
      const __m128i up = _mm_subs_epu8(dst, src);
      const __m128i down = _mm_subs_epu8(src, dst);
      const __m128i magnitude = _mm_or_si128(up, down);
      // Complement weight in both 16-bit halves of each pixel's 32-bit lane.
      const __m128i w32 = _mm_sub_epi32(opaque, sa);
      const __m128i w16 = _mm_or_si128(w32, _mm_slli_epi32(w32, 16));
      const __m128i wLow = _mm_unpacklo_epi32(w16, w16);
      const __m128i wHigh = _mm_unpackhi_epi32(w16, w16);
      const __m128i qLow =
          _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(magnitude, zero), wLow), 8);
      const __m128i qHigh =
          _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(magnitude, zero), wHigh), 8);
      const __m128i q = _mm_packus_epi16(qLow, qHigh);
      // Byte negation where d < s: (q ^ m) - m.
      const __m128i negative = _mm_cmpeq_epi8(up, zero);
      const __m128i signedQ = _mm_sub_epi8(_mm_xor_si128(q, negative), negative);
      const __m128i colour = _mm_add_epi8(src, signedQ);
      const __m128i alpha = _mm_and_si128(_mm_adds_epu8(dst, src), alphaBytes);
      __m128i result = _mm_or_si128(_mm_andnot_si128(alphaBytes, colour), alpha);
      if (transparentMask != 0)
        result =
            _mm_or_si128(_mm_andnot_si128(transparent, result), _mm_and_si128(transparent, dst));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d), result);
    }
    for (int x = groups * 4; x < r.columns; ++x, d += 4, s += 4)
      CopySourceAlphaPixel(d, s);
    destinationRow += r.destinationStep;
    sourceRow += r.sourceStep;
  }
}

}  // namespace

BlitKernel FastBlitKernel(int operation, int ia) {
  if (operation == (BLEND_COPY | BLEND_USE_SOURCE_ALPHA) && ia == 256) return CopySourceAlphaFull;
  return nullptr;
}
