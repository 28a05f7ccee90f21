#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace engine_test
{

namespace
{
constexpr double kPi = 3.141592653589793;
}  // namespace

EnginePtr MakeEngine(double sampleRate)
{
  EnginePtr state(EngineCreate(sampleRate));
  EXPECT_NE(state, nullptr);
  return state;
}

Stereo SameInBoth(const std::vector<double>& signal)
{
  return {signal, signal};
}

Stereo Process(EngineState& state, const Stereo& input, int32_t blockSize)
{
  Stereo output{std::vector<double>(input.left.size()), std::vector<double>(input.right.size())};
  const std::size_t frames = input.left.size();
  for (std::size_t start = 0; start < frames; start += static_cast<std::size_t>(blockSize))
  {
    const auto count = static_cast<int32_t>(std::min<std::size_t>(blockSize, frames - start));
    EXPECT_EQ(EnginePerform(&state, input.left.data() + start, input.right.data() + start,
                            output.left.data() + start, output.right.data() + start, count),
              0);
  }
  return output;
}

std::vector<double> Sine(std::size_t frames, double frequency, double sampleRate, double amplitude)
{
  std::vector<double> signal(frames);
  const double step = 2.0 * kPi * frequency / sampleRate;
  for (std::size_t n = 0; n < frames; ++n)
  {
    signal[n] = amplitude * std::sin(step * static_cast<double>(n));
  }
  return signal;
}

std::vector<double> Noise(std::size_t frames, double amplitude, uint32_t seed)
{
  std::mt19937 generator(seed);
  std::uniform_real_distribution<double> distribution(-amplitude, amplitude);
  std::vector<double> signal(frames);
  for (double& sample : signal)
  {
    sample = distribution(generator);
  }
  return signal;
}

SineFit FitSine(const std::vector<double>& signal, double frequency, double sampleRate,
                std::size_t begin, std::size_t end)
{
  // Normal equations of signal ~ a cos(wn) + b sin(wn).
  const double step = 2.0 * kPi * frequency / sampleRate;
  double cc = 0.0, ss = 0.0, cs = 0.0, yc = 0.0, ys = 0.0;
  for (std::size_t n = begin; n < end; ++n)
  {
    const double c = std::cos(step * static_cast<double>(n));
    const double s = std::sin(step * static_cast<double>(n));
    cc += c * c;
    ss += s * s;
    cs += c * s;
    yc += signal[n] * c;
    ys += signal[n] * s;
  }
  const double determinant = cc * ss - cs * cs;
  const double a = (yc * ss - ys * cs) / determinant;
  const double b = (ys * cc - yc * cs) / determinant;
  // a cos + b sin = A cos(wn + phase) with A cos(phase) = a, A sin(phase) = -b.
  return {std::hypot(a, b), std::atan2(-b, a)};
}

double Decibels(double ratio)
{
  return 20.0 * std::log10(ratio);
}

}  // namespace engine_test
