// Fast blit kernels (SSE2 four pixels at a time, AVX2 eight where the processor has it), each
// byte-identical to its exact kernel.
#include <immintrin.h>

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
// taken with the sign of d - s; |d - s| x w stays below 65536, so unsigned 16-bit lanes hold it
// (even bytes in the low half of each lane, odd bytes in the high half, no unpacking). The alpha
// byte, min(255, d + sa), is a saturating byte add. At sa = 255 the colour formula gives s and
// the alpha 255 by itself; transparent pixels keep d.
inline __m128i CopySourceAlphaFour(__m128i src, __m128i dst) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i lowBytes = _mm_set1_epi16(0x00FF);
  const __m128i sa = _mm_srli_epi32(src, 24);
  const __m128i w = _mm_sub_epi16(lowBytes, _mm_or_si128(sa, _mm_slli_epi32(sa, 16)));
  const __m128i up = _mm_subs_epu8(dst, src);
  const __m128i magnitude = _mm_or_si128(up, _mm_subs_epu8(src, dst));
  const __m128i even = _mm_mullo_epi16(_mm_and_si128(magnitude, lowBytes), w);
  const __m128i odd = _mm_mullo_epi16(_mm_srli_epi16(magnitude, 8), w);
  const __m128i q = _mm_or_si128(_mm_srli_epi16(even, 8), _mm_andnot_si128(lowBytes, odd));
  // Byte negation where d <= s: (q ^ m) - m.
  const __m128i negative = _mm_cmpeq_epi8(up, zero);
  const __m128i colour = _mm_add_epi8(src, _mm_sub_epi8(_mm_xor_si128(q, negative), negative));
  const __m128i alpha = _mm_and_si128(_mm_adds_epu8(dst, src), alphaBytes);
  const __m128i result = _mm_or_si128(_mm_andnot_si128(alphaBytes, colour), alpha);
  const __m128i transparent = _mm_cmpeq_epi32(sa, zero);
  return _mm_or_si128(_mm_andnot_si128(transparent, result), _mm_and_si128(transparent, dst));
}

// Four source pixels whose alpha bytes are all 0 (mask bits 0x8888 of a byte compare).
constexpr int kAlphaLanes = 0x8888;

void CopySourceAlphaFull(const BlitRows& r, int) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i ones = _mm_set1_epi32(-1);
  uint8_t* destinationRow = r.destination;
  const uint8_t* sourceRow = r.source;
  const int groups = r.columns / 4;
  for (int y = 0; y < r.rows; ++y) {
    uint8_t* d = destinationRow;
    const uint8_t* s = sourceRow;
    for (int g = 0; g < groups; ++g, d += 16, s += 16) {
      const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
      if ((_mm_movemask_epi8(_mm_cmpeq_epi8(src, zero)) & kAlphaLanes) == kAlphaLanes) continue;
      if ((_mm_movemask_epi8(_mm_cmpeq_epi8(src, ones)) & kAlphaLanes) == kAlphaLanes) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), src);
        continue;
      }
      const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d), CopySourceAlphaFour(src, dst));
    }
    for (int x = groups * 4; x < r.columns; ++x, d += 4, s += 4)
      CopySourceAlphaPixel(d, s);
    destinationRow += r.destinationStep;
    sourceRow += r.sourceStep;
  }
}

// The same as CopySourceAlphaFour on eight pixels.
__attribute__((target("avx2"))) inline __m256i CopySourceAlphaEight(__m256i src, __m256i dst) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
  const __m256i sa = _mm256_srli_epi32(src, 24);
  const __m256i w = _mm256_sub_epi16(lowBytes, _mm256_or_si256(sa, _mm256_slli_epi32(sa, 16)));
  const __m256i up = _mm256_subs_epu8(dst, src);
  const __m256i magnitude = _mm256_or_si256(up, _mm256_subs_epu8(src, dst));
  const __m256i even = _mm256_mullo_epi16(_mm256_and_si256(magnitude, lowBytes), w);
  const __m256i odd = _mm256_mullo_epi16(_mm256_srli_epi16(magnitude, 8), w);
  const __m256i q = _mm256_or_si256(_mm256_srli_epi16(even, 8), _mm256_andnot_si256(lowBytes, odd));
  const __m256i negative = _mm256_cmpeq_epi8(up, zero);
  const __m256i colour =
      _mm256_add_epi8(src, _mm256_sub_epi8(_mm256_xor_si256(q, negative), negative));
  const __m256i alpha = _mm256_and_si256(_mm256_adds_epu8(dst, src), alphaBytes);
  const __m256i result = _mm256_or_si256(_mm256_andnot_si256(alphaBytes, colour), alpha);
  const __m256i transparent = _mm256_cmpeq_epi32(sa, zero);
  return _mm256_or_si256(_mm256_andnot_si256(transparent, result),
                         _mm256_and_si256(transparent, dst));
}

__attribute__((target("avx2"))) void CopySourceAlphaFullAvx2(const BlitRows& r, int) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i ones = _mm256_set1_epi32(-1);
  constexpr uint32_t kAlphaLanes8 = 0x88888888u;
  uint8_t* destinationRow = r.destination;
  const uint8_t* sourceRow = r.source;
  const int groups = r.columns / 8;
  for (int y = 0; y < r.rows; ++y) {
    uint8_t* d = destinationRow;
    const uint8_t* s = sourceRow;
    for (int g = 0; g < groups; ++g, d += 32, s += 32) {
      const __m256i src = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
      const auto clear = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(src, zero)));
      if ((clear & kAlphaLanes8) == kAlphaLanes8) continue;
      const auto full = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(src, ones)));
      if ((full & kAlphaLanes8) == kAlphaLanes8) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), src);
        continue;
      }
      const __m256i dst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), CopySourceAlphaEight(src, dst));
    }
    for (int x = groups * 8; x < r.columns; ++x, d += 4, s += 4)
      CopySourceAlphaPixel(d, s);
    destinationRow += r.destinationStep;
    sourceRow += r.sourceStep;
  }
}

}  // namespace

BlitKernel FastBlitKernelFor(int operation, int ia, VectorLevel level) {
  if (operation == (BLEND_COPY | BLEND_USE_SOURCE_ALPHA) && ia == 256)
    return level == VectorLevel::kAvx2 ? CopySourceAlphaFullAvx2 : CopySourceAlphaFull;
  return nullptr;
}

BlitKernel FastBlitKernel(int operation, int ia) {
  return FastBlitKernelFor(operation, ia, WidestVectorLevel());
}
