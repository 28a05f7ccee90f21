#include "tools/demo/DemoSignal.h"

#include <array>
#include <cmath>
#include <random>

namespace
{

constexpr double kChordSeconds = 1.5;
constexpr double kBurstSeconds = 0.12;
constexpr double kChordLevel = 0.07;  // per voice; four voices stay below 0.3
constexpr double kNoiseLevel = 0.2;
constexpr double kFadeSeconds = 0.02;

// A minor, F major, C major, G major, in the octave below middle C and up.
constexpr std::array<std::array<double, 4>, 4> kChords = {{
    {110.00, 130.81, 164.81, 220.00},
    {87.31, 130.81, 174.61, 220.00},
    {130.81, 164.81, 196.00, 261.63},
    {98.00, 123.47, 146.83, 196.00},
}};

double Saw(double phase)
{
  return 2.0 * (phase - std::floor(phase)) - 1.0;
}

// Short linear fades at both ends of each chord, so chord changes do not click.
double ChordEnvelope(double timeInChord)
{
  const double fadeIn = std::fmin(timeInChord / kFadeSeconds, 1.0);
  const double fadeOut = std::fmin((kChordSeconds - timeInChord) / kFadeSeconds, 1.0);
  return std::fmax(0.0, std::fmin(fadeIn, fadeOut));
}

}  // namespace

StereoAudio MakeDemoSignal(double sampleRate, double seconds)
{
  const auto frames = static_cast<std::size_t>(sampleRate * seconds);
  StereoAudio signal{sampleRate, std::vector<double>(frames), std::vector<double>(frames)};
  std::mt19937 generator(20240611u);
  std::uniform_real_distribution<double> noise(-kNoiseLevel, kNoiseLevel);
  for (std::size_t n = 0; n < frames; ++n)
  {
    const double time = static_cast<double>(n) / sampleRate;
    const auto chordIndex = static_cast<std::size_t>(time / kChordSeconds);
    const double timeInChord = time - static_cast<double>(chordIndex) * kChordSeconds;
    const std::array<double, 4>& chord = kChords[chordIndex % kChords.size()];
    double left = 0.0;
    double right = 0.0;
    for (double frequency : chord)
    {
      left += Saw(frequency * time);
      right += Saw(frequency * 1.002 * time);
    }
    const double envelope = ChordEnvelope(timeInChord) * kChordLevel;
    left *= envelope;
    right *= envelope;
    if (timeInChord < kBurstSeconds)
    {
      left += noise(generator);
      right += noise(generator);
    }
    signal.left[n] = left;
    signal.right[n] = right;
  }
  return signal;
}
