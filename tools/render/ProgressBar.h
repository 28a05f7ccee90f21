#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

// A one-line progress display that redraws in place: a bar, the percentage, the time elapsed
// and the speed as a multiple of real time. Redraws at most ten times a second.
class ProgressBar
{
public:
  // Draws nothing unless `shown`.
  ProgressBar(std::ostream& out, bool shown);
  // `done` of `total` frames at `sampleRate` are rendered.
  void Update(uint64_t done, uint64_t total, double sampleRate);
  // Draws the last state and ends the line.
  void Finish(uint64_t done, uint64_t total, double sampleRate);

  // The text of one redraw, without the leading carriage return.
  static std::string Line(double fraction, double elapsedSeconds, double audioSeconds);

private:
  void Draw(uint64_t done, uint64_t total, double sampleRate, double elapsedSeconds);

  std::ostream& out;
  const bool shown;
  const std::chrono::steady_clock::time_point start;
  double lastDrawn = -1.0;
};
