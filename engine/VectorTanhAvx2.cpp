#include "engine/VectorTanhAvx2.h"

#include <immintrin.h>

// glibc's four-lane AVX2 tanh (vector ABI name).
extern "C" __m256d _ZGVdN4v_tanh(__m256d values);

int32_t TanhArrayAvx2(double* values, int32_t count)
{
  int32_t done = 0;
  for (; done + 8 <= count; done += 8)
  {
    _mm256_storeu_pd(values + done, _ZGVdN4v_tanh(_mm256_loadu_pd(values + done)));
    _mm256_storeu_pd(values + done + 4, _ZGVdN4v_tanh(_mm256_loadu_pd(values + done + 4)));
  }
  for (; done + 4 <= count; done += 4)
  {
    _mm256_storeu_pd(values + done, _ZGVdN4v_tanh(_mm256_loadu_pd(values + done)));
  }
  return done;
}
