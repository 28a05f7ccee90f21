#include "tools/render/Render.h"

#include <algorithm>
#include <cmath>
#include <iomanip>

namespace {

// A text bar that redraws in place, in whole percent steps.
class ProgressBar {
 public:
  ProgressBar(std::ostream& out, bool shown) : out(out), shown(shown) {}
  void Update(size_t done, size_t total) {
    if (!shown || total == 0) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == lastPercent) return;
    lastPercent = percent;
    const int filled = percent / 4;
    out << "\rRendering [" << std::string(static_cast<size_t>(filled), '#')
        << std::string(static_cast<size_t>(25 - filled), ' ') << "] " << std::setw(3) << percent
        << "%" << (percent == 100 ? "\n" : "") << std::flush;
  }

 private:
  std::ostream& out;
  bool shown;
  int lastPercent = -1;
};

template <typename Sample>
void ProcessBlocks(PluginInstance& plugin, const RenderOptions& options, StereoAudio& audio,
                   ProgressBar& progress) {
  const size_t total = audio.Frames();
  const size_t block = static_cast<size_t>(options.blockSize);
  std::vector<Sample> in[2] = {std::vector<Sample>(block), std::vector<Sample>(block)};
  std::vector<Sample> out[2] = {std::vector<Sample>(block), std::vector<Sample>(block)};
  const Sample* inputs[2] = {in[0].data(), in[1].data()};
  Sample* outputs[2] = {out[0].data(), out[1].data()};
  std::vector<double>* channels[2] = {&audio.left, &audio.right};

  std::vector<TimedController> pending(options.controllers);
  std::stable_sort(pending.begin(), pending.end(),
                   [](const TimedController& a, const TimedController& b) {
                     return a.seconds < b.seconds;
                   });
  auto next = pending.begin();

  for (size_t start = 0; start < total; start += block) {
    const size_t frames = std::min(block, total - start);
    for (; next != pending.end(); ++next) {
      const auto at = static_cast<size_t>(std::llround(next->seconds * audio.sampleRate));
      if (at >= start + frames) break;
      const int32_t offset = static_cast<int32_t>(at > start ? at - start : 0);
      plugin.QueueMidi({offset, 0xB0, next->controller, next->value});
    }
    for (int c = 0; c < 2; ++c)
      for (size_t i = 0; i < frames; ++i)
        in[c][i] = static_cast<Sample>((*channels[c])[start + i]);
    plugin.Process(inputs, outputs, static_cast<int32_t>(frames));
    for (int c = 0; c < 2; ++c)
      for (size_t i = 0; i < frames; ++i) (*channels[c])[start + i] = out[c][i];
    progress.Update(start + frames, total);
  }
}

}  // namespace

void PrintModuleInfo(PluginInstance& plugin, std::ostream& out) {
  out << plugin.Name() << " (" << plugin.Format() << ")\n\nParameters:\n";
  for (int i = 0; i < plugin.ParameterCount(); ++i) {
    const HostParameter p = plugin.Parameter(i);
    out << "  " << std::setw(2) << i << "  " << std::left << std::setw(24) << p.name
        << std::right << "  " << plugin.DisplayText(i, 0.0) << " .. " << plugin.DisplayText(i, 1.0)
        << "  default " << plugin.DisplayText(i, p.defaultNormalized) << "  now "
        << plugin.DisplayText(i, plugin.Normalized(i));
    if (!p.units.empty()) out << "  [" << p.units << "]";
    if (p.stepCount > 0) out << "  " << p.stepCount << " step(s)";
    out << "\n";
  }
  out << "\nPrograms:\n";
  const auto programs = plugin.Programs();
  for (size_t i = 0; i < programs.size(); ++i) out << "  " << i << "  " << programs[i] << "\n";
  out << "\nBuses:\n";
  for (const std::string& bus : plugin.Buses()) out << "  " << bus << "\n";
}

bool RenderAudio(PluginInstance& plugin, const RenderOptions& options, StereoAudio& audio,
                 std::ostream& progress, bool interactive, std::string& error) {
  if (!options.controllers.empty() && !plugin.TakesControllers()) {
    error = plugin.Format() + " modules take no MIDI controller messages; use --set instead";
    return false;
  }
  plugin.SetTempo(options.tempo);
  constexpr double kProgressAfterSeconds = 5.0;
  ProgressBar bar(progress, interactive && static_cast<double>(audio.Frames()) >
                                               kProgressAfterSeconds * audio.sampleRate);
  if (options.precision == SamplePrecision::Double)
    ProcessBlocks<double>(plugin, options, audio, bar);
  else
    ProcessBlocks<float>(plugin, options, audio, bar);
  return true;
}
