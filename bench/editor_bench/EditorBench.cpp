// Editor drawing cost of the real Quillwave editor: a full redraw of the
// 500 × 480 panel with all 25 controls, and the redraw after one knob moved,
// composed by the Linux host as a window's timer would. The plug-in builds
// its editor as in a host; the images are the product's artwork, compiled
// into this program as into the modules.
#include "graphics/IControl.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "product/Quillwave.h"
#include "product/QuillwaveEditor.h"
#include "raster/RasterModuleResources.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{

struct Editor
{
  Editor() : plugin({}, RasterModuleResources())
  {
    graphics = dynamic_cast<IGraphicsOffscreen*>(plugin.GetEditor());
    if (graphics == nullptr)
      std::abort();
    knob = graphics->GetControl(static_cast<int>(QuillwaveControl::Rate));
    graphics->OpenWindow(nullptr);
    graphics->Tick();
  }

  Quillwave plugin;
  IGraphicsOffscreen* graphics = nullptr;
  IControl* knob = nullptr;
};

void FullRedraw(benchmark::State& state)
{
  Editor editor;
  for (auto _ : state)
  {
    editor.graphics->DrawDirty({0, 0, QuillwaveEditor::kWidth, QuillwaveEditor::kHeight});
    benchmark::ClobberMemory();
  }
  state.SetLabel("target: at most 2 ms");
}

void OneKnobRedraw(benchmark::State& state)
{
  Editor editor;
  double value = 0.0;
  for (auto _ : state)
  {
    value = value < 1.0 ? value + 0.01 : 0.0;
    editor.knob->ApplyPluginValue(value);
    editor.graphics->Tick();
    benchmark::ClobberMemory();
  }
  state.SetLabel("target: at most 0.2 ms");
}

}  // namespace

BENCHMARK(FullRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(OneKnobRedraw)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
