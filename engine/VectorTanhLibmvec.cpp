#include "engine/VectorTanh.h"

#include "engine/VectorTanhAvx2.h"
#include "engine/VectorTanhAvx512.h"

#include <cmath>
#include <emmintrin.h>

// glibc's two-lane SSE2 tanh (vector ABI name); the library itself picks its
// best two-lane implementation for the running processor.
extern "C" __m128d _ZGVbN2v_tanh(__m128d values);

void TanhArray(double* values, int32_t count)
{
  // The signal loop hands over whole frames, four values each.
  if (count % 4 == 0 && __builtin_cpu_supports("avx512f"))
  {
    TanhArrayAvx512(values, count);
    return;
  }
  int32_t done = __builtin_cpu_supports("avx2") ? TanhArrayAvx2(values, count) : 0;
  for (; done + 2 <= count; done += 2)
  {
    _mm_storeu_pd(values + done, _ZGVbN2v_tanh(_mm_loadu_pd(values + done)));
  }
  for (; done < count; ++done)
  {
    values[done] = std::tanh(values[done]);
  }
}
