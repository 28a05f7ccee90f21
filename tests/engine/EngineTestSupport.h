#pragma once

#include "engine/Engine.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace engine_test
{

using EnginePtr = std::unique_ptr<EngineState, EngineStateDeleter>;

// A created state; fails the calling test when creation fails.
EnginePtr MakeEngine(double sampleRate);

struct Stereo
{
  std::vector<double> left;
  std::vector<double> right;
};

Stereo SameInBoth(const std::vector<double>& signal);

// Runs `input` through the engine in blocks of `blockSize` frames.
Stereo Process(EngineState& state, const Stereo& input, int32_t blockSize = 256);

std::vector<double> Sine(std::size_t frames, double frequency, double sampleRate, double amplitude);

// Deterministic noise in [-amplitude, amplitude].
std::vector<double> Noise(std::size_t frames, double amplitude, uint32_t seed);

// Least-squares fit of a sinusoid of known frequency to signal[begin, end).
struct SineFit
{
  double amplitude;
  double phase;  // radians, of cos(w n + phase)
};
SineFit FitSine(const std::vector<double>& signal, double frequency, double sampleRate,
                std::size_t begin, std::size_t end);

double Decibels(double ratio);

}  // namespace engine_test
