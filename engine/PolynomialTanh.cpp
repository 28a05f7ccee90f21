#include "engine/PolynomialTanh.h"

#include "engine/InstructionSetVariant.h"

#include <cstring>

// For |x| below 0.55 (a little above atanh(1/2)) an odd polynomial,
// x + x^3 P(x^2), whose correction term is under a tenth of the result, so
// its rounding hardly counts. Above, 1 - 2 / (exp(2|x|) + 1), where the
// subtracted quotient is below one half and exp comes from a Cody-Waite
// reduction by ln 2 and a degree-12 polynomial on [-ln2/2, ln2/2]. From
// |x| = 22 on the quotient is below half an ulp of 1 and the result is 1.
// The coefficients are minimax (Chebyshev) fits with errors of 8e-18 (P)
// and 5e-20 (exp) relative, far below the rounding of the evaluation.

// The four-lane values only pass between inline functions of this file, so
// the ABI GCC warns about for the baseline compilation never applies.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace
{

typedef double Lanes __attribute__((vector_size(32)));
typedef long long LaneBits __attribute__((vector_size(32)));

constexpr int kLanes = 4;

inline Lanes Splat(double value)
{
  return Lanes{value, value, value, value};
}

inline Lanes Select(LaneBits mask, Lanes whenTrue, Lanes whenFalse)
{
  return reinterpret_cast<Lanes>((mask & reinterpret_cast<LaneBits>(whenTrue)) |
                                 (~mask & reinterpret_cast<LaneBits>(whenFalse)));
}

inline Lanes OddPolynomial(Lanes x)
{
  constexpr double kP[] = {
      -0x1.59a834187ce22p-16, 0x1.64fd88e9900a5p-14, -0x1.ec1091436eb2ap-13, 0x1.34c5a8a996cd4p-11,
      -0x1.7d97cfd138c28p-10, 0x1.d6d339333f329p-9,  -0x1.226e32f00cf0cp-7,  0x1.664f487713373p-6,
      -0x1.ba1ba1b9fec84p-5,  0x1.1111111111032p-3,  -0x1.5555555555555p-2,
  };
  const Lanes s = x * x;
  Lanes p = Splat(kP[0]);
  for (int i = 1; i < static_cast<int>(sizeof kP / sizeof kP[0]); ++i)
  {
    p = p * s + Splat(kP[i]);
  }
  return x + x * (s * p);
}

// exp(y) for y in [0, 44] (NaN gives NaN).
inline Lanes Exp(Lanes y)
{
  constexpr double kRound = 0x1.8p52;
  const Lanes shifted = y * Splat(0x1.71547652b82fep+0) + Splat(kRound);
  const Lanes k = shifted - Splat(kRound);
  const Lanes r = (y - k * Splat(0x1.62e4200000000p-1)) - k * Splat(0x1.fdf473de6af28p-22);
  constexpr double kE[] = {
      0x1.1f8e70459b724p-29, 0x1.af7deb3dfcb95p-26, 0x1.27e4ca2b87313p-22, 0x1.71dde40c22ce7p-19,
      0x1.a01a01ae99b52p-16, 0x1.a01a01b97ae28p-13, 0x1.6c16c16c14aedp-10, 0x1.111111110d704p-7,
      0x1.5555555555559p-5,  0x1.5555555555564p-3,  0x1.0000000000000p-1,  0x1.0000000000000p+0,
      0x1.0000000000000p+0,
  };
  Lanes p = Splat(kE[0]);
  for (int i = 1; i < static_cast<int>(sizeof kE / sizeof kE[0]); ++i)
  {
    p = p * r + Splat(kE[i]);
  }
  // 2^k: the low bits of `shifted` hold k, moved into the exponent field.
  const LaneBits scale = (reinterpret_cast<LaneBits>(shifted) + 1023) << 52;
  return p * reinterpret_cast<Lanes>(scale);
}

inline Lanes Tanh(Lanes x)
{
  const LaneBits signBit = LaneBits{} + static_cast<long long>(0x8000000000000000ULL);
  const LaneBits bits = reinterpret_cast<LaneBits>(x);
  const Lanes a = reinterpret_cast<Lanes>(bits & ~signBit);
  // Written so that NaN fails the comparison and stays.
  const Lanes clamped = a > Splat(22.0) ? Splat(22.0) : a;
  const Lanes large = Splat(1.0) - Splat(2.0) / (Exp(clamped + clamped) + Splat(1.0));
  const Lanes magnitude = Select(a < Splat(0.55), OddPolynomial(a), large);
  return reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(magnitude) | (bits & signBit));
}

}  // namespace

void ENGINE_ISA_NAME(PolynomialTanhArray)(double* values, int32_t count)
{
  int32_t done = 0;
  for (; done + kLanes <= count; done += kLanes)
  {
    Lanes x;
    std::memcpy(&x, values + done, sizeof x);
    const Lanes shaped = Tanh(x);
    std::memcpy(values + done, &shaped, sizeof shaped);
  }
  if (done < count)
  {
    Lanes x = Splat(0.0);
    std::memcpy(&x, values + done, sizeof(double) * static_cast<std::size_t>(count - done));
    const Lanes shaped = Tanh(x);
    std::memcpy(values + done, &shaped, sizeof(double) * static_cast<std::size_t>(count - done));
  }
}
