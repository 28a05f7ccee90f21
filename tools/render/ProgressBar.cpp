#include "tools/render/ProgressBar.h"

#include <algorithm>
#include <cstdio>

namespace
{

constexpr int kBarWidth = 25;
constexpr double kRedrawSeconds = 0.1;

}  // namespace

ProgressBar::ProgressBar(std::ostream& out, bool shown)
    : out(out), shown(shown), start(std::chrono::steady_clock::now())
{
}

std::string ProgressBar::Line(double fraction, double elapsedSeconds, double audioSeconds)
{
  fraction = std::clamp(fraction, 0.0, 1.0);
  const int percent = static_cast<int>(fraction * 100.0);
  const int filled = static_cast<int>(fraction * kBarWidth);
  const auto seconds = static_cast<long>(elapsedSeconds);
  char text[96];
  std::snprintf(text, sizeof text, "Rendering [%s%s] %3d%%  %ld:%02ld elapsed",
                std::string(static_cast<size_t>(filled), '#').c_str(),
                std::string(static_cast<size_t>(kBarWidth - filled), ' ').c_str(), percent,
                seconds / 60, seconds % 60);
  std::string line = text;
  if (elapsedSeconds > 0.0)
  {
    std::snprintf(text, sizeof text, "  %.0fx real time", audioSeconds / elapsedSeconds);
    line += text;
  }
  return line;
}

void ProgressBar::Draw(uint64_t done, uint64_t total, double sampleRate, double elapsedSeconds)
{
  const double fraction = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0;
  const double audioSeconds = sampleRate > 0.0 ? static_cast<double>(done) / sampleRate : 0.0;
  // Padded so a shorter line wipes out the end of a longer one.
  out << '\r' << Line(fraction, elapsedSeconds, audioSeconds) << "    " << std::flush;
  lastDrawn = elapsedSeconds;
}

void ProgressBar::Update(uint64_t done, uint64_t total, double sampleRate)
{
  if (!shown)
    return;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (lastDrawn >= 0.0 && elapsed.count() - lastDrawn < kRedrawSeconds)
    return;
  Draw(done, total, sampleRate, elapsed.count());
}

void ProgressBar::Finish(uint64_t done, uint64_t total, double sampleRate)
{
  if (!shown)
    return;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  Draw(done, total, sampleRate, elapsed.count());
  out << '\n' << std::flush;
}
