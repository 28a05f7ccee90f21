// Editor drawing cost: a full redraw of a 500 × 480 editor with the
// Quillwave control set, and the redraw after one knob moved. The images are
// generated here at the sizes of the product's artwork (background
// 1000 × 1000, panels, 99-frame knob strips, switches, buttons) and put into
// the image cache under the product's resource ids, so the editor is built
// through AttachBackground and LoadBitmapStrip as the product builds it.
#include "framework/FourCharCode.h"
#include "framework/IEffectBase.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IContactControl.h"
#include "graphics/IFileSelectorControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/IPanelControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "raster/RasterImageCache.h"
#include "raster/RasterMemBitmap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>

namespace {

// A plug-in that answers the host side with nothing; 22 parameters 0..1.
class BenchPlugin : public IEffectBase
{
public:
  BenchPlugin() : IEffectBase(Config())
  {
    for (int i = 0; i < GetParamCount(); ++i)
      GetParam(i)->InitDouble("P", 0.5, 0.0, 1.0, 0.00001);
  }
  void BeginHostEdit(int) override {}
  void HostEdit(int, double) override {}
  void EndHostEdit(int) override {}
  void HostProgramChanged() override {}
  int32_t QuerySamplePosition() override { return 0; }
  double QueryTempo() override { return 120.0; }
  void QueryTimeSignature(int* numerator, int* denominator) override
  {
    *numerator = 4;
    *denominator = 4;
  }
  void QueryTransport(ITransportInfo*) override {}
  void ResizeEditor(int, int) override {}
  bool SendMidiMessage(const IMidiMessage*) override { return false; }

private:
  static IEffectConfig Config()
  {
    IEffectConfig config;
    config.parameterCount = 22;
    config.presetCount = 1;
    config.channelIO = "2-2";
    config.effectName = "Quillwave";
    config.makerName = "PleoAudio";
    config.uniqueId = FourCharCode("Pqw6");
    config.makerId = FourCharCode("Plvx");
    config.version = 0x00010002;
    return config;
  }
};

uint32_t Pixel(int alpha, int red, int green, int blue)
{
  return static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(red) << 16 |
         static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue);
}

// An opaque image with a fine texture.
std::unique_ptr<RasterBitmap> Textured(int width, int height, int base)
{
  auto bitmap = std::make_unique<RasterMemBitmap>(width, height);
  uint32_t noise = 12345;
  for (int y = 0; y < height; ++y)
  {
    uint32_t* row = bitmap->Bits() + static_cast<ptrdiff_t>(y) * bitmap->RowSpan();
    for (int x = 0; x < width; ++x)
    {
      noise = noise * 1664525u + 1013904223u;
      const int grain = base + static_cast<int>(noise >> 28);
      row[x] = Pixel(255, grain, grain, grain + 4);
    }
  }
  return bitmap;
}

// A panel or button: opaque inside, with a soft transparent border the
// width of `edge`, as drop shadows and rounded artwork have.
std::unique_ptr<RasterBitmap> Panel(int width, int height, int edge, uint32_t colour)
{
  auto bitmap = std::make_unique<RasterMemBitmap>(width, height);
  for (int y = 0; y < height; ++y)
  {
    uint32_t* row = bitmap->Bits() + static_cast<ptrdiff_t>(y) * bitmap->RowSpan();
    for (int x = 0; x < width; ++x)
    {
      const int distance = std::min(std::min(x, width - 1 - x), std::min(y, height - 1 - y));
      const int alpha = distance >= edge ? 255 : 255 * distance / edge;
      row[x] = (colour & 0x00FFFFFFu) | static_cast<uint32_t>(alpha) << 24;
    }
  }
  return bitmap;
}

// A strip of round knobs (or switch frames): each frame a disc with an
// antialiased rim and transparent corners, and a pointer that turns with the
// frame number.
std::unique_ptr<RasterBitmap> KnobStrip(int size, int frames, uint32_t colour)
{
  auto bitmap = std::make_unique<RasterMemBitmap>(size, size * frames);
  const double radius = size * 0.5 - 1.0;
  for (int frame = 0; frame < frames; ++frame)
  {
    const double angle = -2.4 + 4.8 * frame / std::max(frames - 1, 1);
    for (int y = 0; y < size; ++y)
    {
      uint32_t* row = bitmap->Bits() + static_cast<ptrdiff_t>(frame * size + y) * bitmap->RowSpan();
      for (int x = 0; x < size; ++x)
      {
        const double dx = x + 0.5 - size * 0.5;
        const double dy = y + 0.5 - size * 0.5;
        const double rim = radius - std::sqrt(dx * dx + dy * dy);
        const int alpha = rim >= 1.0 ? 255 : rim <= 0.0 ? 0 : static_cast<int>(rim * 255.0);
        const double along = dx * std::sin(angle) - dy * std::cos(angle);
        const double across = dx * std::cos(angle) + dy * std::sin(angle);
        const bool pointer = along > 0.0 && std::fabs(across) < 1.5;
        row[x] = pointer ? Pixel(alpha, 255, 255, 255)
                         : (colour & 0x00FFFFFFu) | static_cast<uint32_t>(alpha) << 24;
      }
    }
  }
  return bitmap;
}

void CacheArtwork()
{
  static const bool cached = [] {
    RasterImageCacheAdd(Textured(1000, 1000, 40), 101);
    RasterImageCacheAdd(Panel(20, 25, 3, 0x404048), 102);
    RasterImageCacheAdd(Panel(20, 25, 3, 0x404048), 103);
    RasterImageCacheAdd(Panel(40, 25, 3, 0x404048), 104);
    RasterImageCacheAdd(Panel(40, 25, 3, 0x404048), 105);
    RasterImageCacheAdd(Panel(500, 30, 2, 0x101014), 106);
    RasterImageCacheAdd(Panel(500, 410, 24, 0x000000), 107);
    RasterImageCacheAdd(KnobStrip(40, 4, 0x303038), 108);
    RasterImageCacheAdd(KnobStrip(26, 2, 0x505058), 109);
    RasterImageCacheAdd(KnobStrip(40, 2, 0x303038), 110);
    RasterImageCacheAdd(KnobStrip(40, 99, 0x7040A0), 111);
    RasterImageCacheAdd(KnobStrip(40, 99, 0xE0E0E0), 112);
    RasterImageCacheAdd(Panel(450, 360, 6, 0x6A3A9A), 113);
    RasterImageCacheAdd(KnobStrip(20, 99, 0x7040A0), 114);
    return true;
  }();
  (void)cached;
}

// The product's editor: the same controls, images, rectangles and order.
struct Editor
{
  Editor()
  {
    CacheArtwork();
    auto owned = std::make_unique<IGraphicsOffscreen>(&plugin, 500, 480, 25, nullptr);
    graphics = owned.get();
    graphics->AttachBackground(101, "resources/img/qv_background_0002.png");
    const IBitmapStrip header = graphics->LoadBitmapStrip(106, "header.png", 1);
    const IBitmapStrip inputMode = graphics->LoadBitmapStrip(108, "button15.png", 4);
    const IBitmapStrip onOff = graphics->LoadBitmapStrip(109, "button30.png", 2);
    const IBitmapStrip mode = graphics->LoadBitmapStrip(110, "button42.png", 2);
    const IBitmapStrip violet = graphics->LoadBitmapStrip(111, "knob18.png", 99);
    const IBitmapStrip white = graphics->LoadBitmapStrip(112, "knob19.png", 99);
    const IBitmapStrip small = graphics->LoadBitmapStrip(114, "knob22.png", 99);
    const IBitmapStrip front = graphics->LoadBitmapStrip(113, "panel.png", 1);
    const IBitmapStrip shadow = graphics->LoadBitmapStrip(107, "shadow.png", 1);
    const IBitmapStrip backward = graphics->LoadBitmapStrip(102, "backward.png", 1);
    const IBitmapStrip forward = graphics->LoadBitmapStrip(103, "forward.png", 1);
    const IBitmapStrip load = graphics->LoadBitmapStrip(104, "load.png", 1);
    const IBitmapStrip save = graphics->LoadBitmapStrip(105, "save.png", 1);

    Add<IBitmapControl>(IRectangle{0, 0, 500, 30}, -1, header);
    Add<IBitmapControl>(IRectangle{0, 55, 500, 465}, -1, shadow);
    Add<IBitmapControl>(IRectangle{25, 80, 475, 440}, -1, front);
    Add<ISwitchControl>(IRectangle{237, 294, 263, 320}, 4, onOff);
    Add<ISwitchControl>(IRectangle{365, 119, 405, 159}, 6, inputMode);
    Add<ISwitchControl>(IRectangle{230, 119, 270, 159}, 13, mode);
    knob = Add<IKnobMultiControl>(IRectangle{365, 203, 405, 243}, 5, violet);
    Add<IKnobMultiControl>(IRectangle{365, 287, 405, 327}, 7, violet);
    Add<IKnobMultiControl>(IRectangle{365, 371, 405, 411}, 8, violet);
    Add<IKnobMultiControl>(IRectangle{95, 119, 135, 159}, 10, violet);
    Add<IKnobMultiControl>(IRectangle{95, 203, 135, 243}, 11, violet);
    Add<IKnobMultiControl>(IRectangle{95, 287, 135, 327}, 12, violet);
    Add<IKnobMultiControl>(IRectangle{95, 371, 135, 411}, 14, violet);
    Add<IKnobMultiControl>(IRectangle{181, 297, 201, 317}, 20, small);
    Add<IKnobMultiControl>(IRectangle{230, 203, 270, 243}, 0, white);
    Add<IPanelControl>(IRectangle{60, 40, 440, 65}, IColour{140, 0, 0, 0});
    ITextStyle style;
    style.SetFontName("Arial");
    style.size = 20;
    style.style = IFontStyle::Bold;
    style.align = ITextAlign::Centre;
    style.colour = IColour{255, 100, 100, 100};
    Add<ITextControl>(IRectangle{60, 43, 440, 65}, style, "< Presets Library >");
    // The preset menu is an invisible click area: a fill that draws nothing.
    Add<IPanelControl>(IRectangle{60, 40, 440, 65}, IColour{0, 0, 0, 0});
    Add<IContactControl>(IRectangle{40, 40, 60, 65}, 15, backward);
    Add<IContactControl>(IRectangle{440, 40, 460, 65}, 16, forward);
    Add<IBitmapControl>(IRectangle{0, 40, 40, 65}, -1, load);
    Add<IBitmapControl>(IRectangle{460, 40, 500, 65}, -1, save);
    Add<IFileSelectorControl>(IRectangle{0, 40, 40, 65}, 17, load, IFileAction::Open, "", "",
                              "quillwavepreset");
    Add<IFileSelectorControl>(IRectangle{460, 40, 500, 65}, 18, save, IFileAction::Save, "", "",
                              "quillwavepreset");
    plugin.AttachEditor(owned.release());
    graphics->OpenWindow(nullptr);
    graphics->Tick();
  }

  template <class Control, class... Args>
  Control* Add(Args&&... args)
  {
    return graphics->AttachControl(std::make_unique<Control>(&plugin, std::forward<Args>(args)...));
  }

  BenchPlugin plugin;
  IGraphicsOffscreen* graphics = nullptr;
  IKnobMultiControl* knob = nullptr;
};

void FullRedraw(benchmark::State& state)
{
  Editor editor;
  for (auto _ : state)
  {
    editor.graphics->DrawDirty({0, 0, 500, 480});
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
