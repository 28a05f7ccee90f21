#include "raster/RasterSourceAlphaCopyRow.h"

#include "raster/RasterSourceAlphaBlend.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace
{
#if defined(__SSE2__) || defined(_M_X64)
// Four pixels per step; answers how many pixels it did (a multiple of four).
//
// For 0 < sa < 255 each colour channel is d = s + (d - s) × (255 - sa) / 256
// truncated toward zero, which is s + q when d ≥ s and s - q otherwise, with
// q = (|d - s| × (255 - sa)) >> 8. The product is at most 255 × 255, so it
// fits an unsigned 16-bit lane, and the result lies between s and d, so no
// channel needs a clamp. Alpha is min(255, da + sa), a saturating byte add.
// At sa = 255 the same arithmetic gives the source colours and alpha 255,
// which is the opaque case exactly; only sa = 0 must keep the destination.
int SourceAlphaCopyBlocks(std::uint32_t* destination, const std::uint32_t* source, int count)
{
  const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= count; i += 4)
  {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i sa = _mm_and_si128(s, alphaMask);
    const __m128i transparent = _mm_cmpeq_epi32(sa, zero);
    if (_mm_movemask_epi8(transparent) == 0xFFFF)
      continue;
    __m128i* const out = reinterpret_cast<__m128i*>(destination + i);
    // Opaque pixels come out as the source words themselves.
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(sa, alphaMask)) == 0xFFFF)
    {
      _mm_storeu_si128(out, s);
      continue;
    }
    const __m128i d = _mm_loadu_si128(out);

    // 255 - sa in both 16-bit halves of each pixel's 32-bit lane, then spread
    // over the four 16-bit lanes of each unpacked pixel.
    const __m128i keep = _mm_srli_epi32(_mm_andnot_si128(s, alphaMask), 24);
    const __m128i keepPairs = _mm_or_si128(keep, _mm_slli_epi32(keep, 16));
    const __m128i keepLow = _mm_shuffle_epi32(keepPairs, _MM_SHUFFLE(1, 1, 0, 0));
    const __m128i keepHigh = _mm_shuffle_epi32(keepPairs, _MM_SHUFFLE(3, 3, 2, 2));

    const __m128i larger = _mm_max_epu8(s, d);
    const __m128i distance = _mm_sub_epi8(larger, _mm_min_epu8(s, d));
    const __m128i qLow =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(distance, zero), keepLow), 8);
    const __m128i qHigh =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(distance, zero), keepHigh), 8);
    const __m128i q = _mm_packus_epi16(qLow, qHigh);
    const __m128i rising = _mm_cmpeq_epi8(larger, d);
    const __m128i colour = _mm_or_si128(_mm_and_si128(rising, _mm_add_epi8(s, q)),
                                        _mm_andnot_si128(rising, _mm_sub_epi8(s, q)));
    const __m128i alpha = _mm_adds_epu8(s, d);
    const __m128i blended =
        _mm_or_si128(_mm_andnot_si128(alphaMask, colour), _mm_and_si128(alphaMask, alpha));
    _mm_storeu_si128(
        out, _mm_or_si128(_mm_and_si128(transparent, d), _mm_andnot_si128(transparent, blended)));
  }
  return i;
}
#else
// Without SSE2 every pixel takes the per-pixel formula.
int SourceAlphaCopyBlocks(std::uint32_t*, const std::uint32_t*, int)
{
  return 0;
}
#endif
}  // namespace

void SourceAlphaCopyRow(std::uint32_t* destination, const std::uint32_t* source, int count)
{
  for (int i = SourceAlphaCopyBlocks(destination, source, count); i < count; ++i)
    destination[i] = SourceAlphaCopy(source[i], destination[i], 256);
}
