#include "tools/render/Render.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <vector>

#include "tools/render/Interruption.h"

namespace
{

// The timed controller messages in time order, handed to the plug-in block by block.
class ControllerSchedule
{
public:
  ControllerSchedule(std::vector<TimedController> controllers, double sampleRate)
      : pending(std::move(controllers)), sampleRate(sampleRate)
  {
    std::stable_sort(
        pending.begin(), pending.end(),
        [](const TimedController& a, const TimedController& b) { return a.seconds < b.seconds; });
    next = pending.begin();
  }

  // Queues the messages due before the end of the block of `frames` from frame `start`; one
  // due earlier goes at the block's start.
  void QueueDue(PluginInstance& plugin, uint64_t start, size_t frames)
  {
    for (; next != pending.end(); ++next)
    {
      const auto at = static_cast<uint64_t>(std::llround(next->seconds * sampleRate));
      if (at >= start + frames)
        break;
      const int32_t offset = static_cast<int32_t>(at > start ? at - start : 0);
      plugin.QueueMidi({offset, 0xB0, next->controller, next->value});
    }
  }

private:
  std::vector<TimedController> pending;
  std::vector<TimedController>::const_iterator next;
  const double sampleRate;
};

template <typename Sample>
RenderStatus ProcessBlocks(PluginInstance& plugin, const RenderOptions& options,
                           BlockSource& source, AudioFileWriter& writer, ProgressBar& progress,
                           uint64_t& written, std::string& error)
{
  const size_t block = static_cast<size_t>(options.blockSize);
  std::vector<double> read[2] = {std::vector<double>(block), std::vector<double>(block)};
  std::vector<Sample> in[2] = {std::vector<Sample>(block), std::vector<Sample>(block)};
  std::vector<Sample> out[2] = {std::vector<Sample>(block), std::vector<Sample>(block)};
  const Sample* inputs[2] = {in[0].data(), in[1].data()};
  Sample* outputs[2] = {out[0].data(), out[1].data()};
  ControllerSchedule controllers(options.controllers, source.SampleRate());

  written = 0;
  for (;;)
  {
    if (Interrupted())
      return RenderStatus::Interrupted;
    size_t frames = 0;
    if (!source.Next(block, read[0].data(), read[1].data(), frames, error))
      return RenderStatus::Failed;
    if (frames == 0)
      break;
    controllers.QueueDue(plugin, written, frames);
    for (int c = 0; c < 2; ++c)
      std::transform(read[c].begin(), read[c].begin() + static_cast<std::ptrdiff_t>(frames),
                     in[c].begin(), [](double x) { return static_cast<Sample>(x); });
    plugin.Process(inputs, outputs, static_cast<int32_t>(frames));
    for (int c = 0; c < 2; ++c)
      std::copy_n(out[c].begin(), frames, read[c].begin());
    if (!writer.Write(read[0].data(), read[1].data(), frames, error))
      return RenderStatus::Failed;
    written += frames;
    progress.Update(written, source.TotalFrames(), source.SampleRate());
  }
  progress.Finish(written, std::max(written, source.TotalFrames()), source.SampleRate());
  return RenderStatus::Done;
}

}  // namespace

void PrintModuleInfo(PluginInstance& plugin, std::ostream& out)
{
  out << plugin.Name() << " (" << plugin.Format() << ")\n\nParameters:\n";
  for (int i = 0; i < plugin.ParameterCount(); ++i)
  {
    const HostParameter p = plugin.Parameter(i);
    out << "  " << std::setw(2) << i << "  " << std::left << std::setw(24) << p.name << std::right
        << "  " << plugin.DisplayText(i, 0.0) << " .. " << plugin.DisplayText(i, 1.0)
        << "  default " << plugin.DisplayText(i, p.defaultNormalized) << "  now "
        << plugin.DisplayText(i, plugin.Normalized(i));
    if (!p.units.empty())
      out << "  [" << p.units << "]";
    if (p.stepCount > 0)
      out << "  " << p.stepCount << " step(s)";
    out << "\n";
  }
  out << "\nPrograms:\n";
  const auto programs = plugin.Programs();
  for (size_t i = 0; i < programs.size(); ++i)
    out << "  " << i << "  " << programs[i] << "\n";
  out << "\nBuses:\n";
  for (const std::string& bus : plugin.Buses())
    out << "  " << bus << "\n";
}

bool CheckControllers(PluginInstance& plugin, const RenderOptions& options, std::string& error)
{
  if (!options.controllers.empty() && !plugin.TakesControllers())
  {
    error = plugin.Format() + " modules take no MIDI controller messages; use --set instead";
    return false;
  }
  return true;
}

RenderStatus RenderStream(PluginInstance& plugin, const RenderOptions& options, BlockSource& source,
                          AudioFileWriter& writer, ProgressBar& progress, uint64_t& written,
                          std::string& error)
{
  plugin.SetTempo(options.tempo);
  if (options.precision == SamplePrecision::Double)
    return ProcessBlocks<double>(plugin, options, source, writer, progress, written, error);
  return ProcessBlocks<float>(plugin, options, source, writer, progress, written, error);
}
