#include "engine/VectorTanhAvx512.h"

#include <immintrin.h>

// glibc's eight-lane AVX-512 tanh (vector ABI name).
extern "C" __m512d _ZGVeN8v_tanh(__m512d values);

void TanhArrayAvx512(double* values, int32_t count)
{
  int32_t done = 0;
  for (; done + 8 <= count; done += 8)
  {
    _mm512_storeu_pd(values + done, _ZGVeN8v_tanh(_mm512_loadu_pd(values + done)));
  }
  if (done < count)
  {
    const __mmask8 lanes = static_cast<__mmask8>((1u << (count - done)) - 1u);
    const __m512d shaped = _ZGVeN8v_tanh(_mm512_maskz_loadu_pd(lanes, values + done));
    _mm512_mask_storeu_pd(values + done, lanes, shaped);
  }
}
