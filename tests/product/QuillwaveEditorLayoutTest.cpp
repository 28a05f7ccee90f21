#include "graphics/IBitmapControl.h"
#include "graphics/IFileSelectorControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/IPanelControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "product/IPopupMenu_PresetSelector.h"
#include "product/QuillwaveEditorStepButton.h"
#include "raster/RasterImageCache.h"
#include "tests/product/QuillwaveEditorFixture.h"

#include <array>
#include <typeinfo>
#include <utility>
#include <vector>

namespace
{

enum class Kind
{
  Bitmap,
  Switch,
  Knob,
  Panel,
  Text,
  Menu,
  Contact,
  FileSelector,
};

struct ExpectedControl
{
  Kind kind;
  IRectangle rect;
  int param;
  int imageId;  // 0 for none
  int frames;
};

// The editor's layout, position by position.
constexpr std::array<ExpectedControl, kQuillwaveControlCount> kLayout = {{
    {Kind::Bitmap, {0, 0, 1000, 1000}, -1, 101, 1},
    {Kind::Bitmap, {0, 0, 500, 30}, -1, 106, 1},
    {Kind::Bitmap, {0, 55, 500, 465}, -1, 107, 1},
    {Kind::Bitmap, {25, 80, 475, 440}, -1, 113, 1},
    {Kind::Switch, {237, 294, 263, 320}, 4, 109, 2},
    {Kind::Switch, {365, 119, 405, 159}, 6, 108, 4},
    {Kind::Switch, {230, 119, 270, 159}, 13, 110, 2},
    {Kind::Knob, {365, 203, 405, 243}, 5, 111, 99},
    {Kind::Knob, {365, 287, 405, 327}, 7, 111, 99},
    {Kind::Knob, {365, 371, 405, 411}, 8, 111, 99},
    {Kind::Knob, {95, 119, 135, 159}, 10, 111, 99},
    {Kind::Knob, {95, 203, 135, 243}, 11, 111, 99},
    {Kind::Knob, {95, 287, 135, 327}, 12, 111, 99},
    {Kind::Knob, {95, 371, 135, 411}, 14, 111, 99},
    {Kind::Knob, {181, 297, 201, 317}, 20, 114, 99},
    {Kind::Knob, {230, 203, 270, 243}, 0, 112, 99},
    {Kind::Panel, {60, 40, 440, 65}, -1, 0, 0},
    {Kind::Text, {60, 43, 440, 65}, -1, 0, 0},
    {Kind::Menu, {60, 40, 440, 65}, -1, 0, 0},
    {Kind::Contact, {40, 40, 60, 65}, 15, 102, 1},
    {Kind::Contact, {440, 40, 460, 65}, 16, 103, 1},
    {Kind::Bitmap, {0, 40, 40, 65}, -1, 104, 1},
    {Kind::Bitmap, {460, 40, 500, 65}, -1, 105, 1},
    {Kind::FileSelector, {0, 40, 40, 65}, 17, 104, 1},
    {Kind::FileSelector, {460, 40, 500, 65}, 18, 105, 1},
}};

bool IsKind(const IControl& control, Kind kind)
{
  switch (kind)
  {
    case Kind::Bitmap:
      return typeid(control) == typeid(IBitmapControl);
    case Kind::Switch:
      return typeid(control) == typeid(ISwitchControl);
    case Kind::Knob:
      return typeid(control) == typeid(IKnobMultiControl);
    case Kind::Panel:
      return typeid(control) == typeid(IPanelControl);
    case Kind::Text:
      return typeid(control) == typeid(ITextControl);
    case Kind::Menu:
      return typeid(control) == typeid(IPopupMenu_PresetSelector);
    case Kind::Contact:
      return typeid(control) == typeid(QuillwaveEditorStepButton);
    case Kind::FileSelector:
      return dynamic_cast<const IFileSelectorControl*>(&control) != nullptr;
  }
  return false;
}

const IBitmapStrip* StripOf(const IControl& control)
{
  if (const auto* knob = dynamic_cast<const IKnobMultiControl*>(&control))
    return &knob->GetStrip();
  if (const auto* bitmap = dynamic_cast<const IBitmapControl*>(&control))
    return &bitmap->GetStrip();
  return nullptr;
}

// Whether the screen inside `rect` shows frame `frame` of `strip`: every
// pixel where the frame is opaque must be the frame's pixel. `other` is a
// frame the check must be able to tell apart from `frame`.
::testing::AssertionResult ShowsFrame(const RasterBitmap& screen, const IControl& control,
                                      int frame, int other)
{
  const IBitmapStrip& strip = *StripOf(control);
  const IRectangle& rect = control.GetRect();
  const int frameHeight = strip.height / strip.frameCount;
  int opaque = 0;
  int distinct = 0;
  for (int y = 0; y < rect.Height(); ++y)
  {
    for (int x = 0; x < rect.Width(); ++x)
    {
      const uint32_t source = PixelAt(*strip.bitmap, x, frameHeight * (frame - 1) + y);
      if (source >> 24 != 0xFF)
        continue;
      ++opaque;
      if (source != PixelAt(*strip.bitmap, x, frameHeight * (other - 1) + y))
        ++distinct;
      const uint32_t shown = PixelAt(screen, rect.left + x, rect.top + y);
      if (shown != source)
      {
        return ::testing::AssertionFailure()
               << "pixel (" << rect.left + x << ", " << rect.top + y << ") is " << std::hex << shown
               << ", frame " << std::dec << frame << " has " << std::hex << source;
      }
    }
  }
  if (opaque < rect.Width() * rect.Height() / 4 || distinct == 0)
  {
    return ::testing::AssertionFailure()
           << "frame " << frame << " has " << opaque << " opaque pixels, " << distinct
           << " of them unlike frame " << other;
  }
  return ::testing::AssertionSuccess();
}

TEST_F(QuillwaveEditorTest, BuildsTheTwentyFiveControlsInOrder)
{
  ASSERT_EQ(graphics->GetControlCount(), kQuillwaveControlCount);
  EXPECT_EQ(graphics->Width(), 500);
  EXPECT_EQ(graphics->Height(), 480);
  EXPECT_EQ(graphics->FramesPerSecond(), 25);
  for (int i = 0; i < kQuillwaveControlCount; ++i)
  {
    SCOPED_TRACE(::testing::Message() << "position " << i);
    const ExpectedControl& expected = kLayout[static_cast<size_t>(i)];
    const IControl& control = *graphics->GetControl(i);
    EXPECT_TRUE(IsKind(control, expected.kind)) << typeid(control).name();
    EXPECT_EQ(control.GetRect(), expected.rect);
    EXPECT_EQ(control.GetTargetRect(), expected.rect);
    EXPECT_EQ(control.ParamIndex(), expected.param);
    EXPECT_EQ(control.GetBlend().method, i == 0 ? IBlendMethod::Opaque : IBlendMethod::None);
    EXPECT_EQ(control.GetBlend().weight, 1.0f);
    EXPECT_TRUE(control.GetTooltip().empty());
    if (const IBitmapStrip* strip = StripOf(control))
    {
      EXPECT_EQ(strip->bitmap, RasterImageCacheFind(expected.imageId));
      EXPECT_NE(strip->bitmap, nullptr);
      EXPECT_EQ(strip->frameCount, expected.frames);
      EXPECT_FALSE(strip->horizontal);
    }
  }
}

TEST_F(QuillwaveEditorTest, PresetStripControlsCarryTheirSettings)
{
  const auto& backing =
      dynamic_cast<const IPanelControl&>(Control(QuillwaveControl::PresetBacking));
  EXPECT_EQ(backing.GetColour(), (IColour{140, 0, 0, 0}));

  EXPECT_EQ(PresetName(), "< Presets Library >");
  ITextStyle& style = Control(QuillwaveControl::PresetName).GetTextStyle();
  EXPECT_STREQ(style.fontName, "Arial");
  EXPECT_EQ(style.size, 20);
  EXPECT_EQ(style.style, IFontStyle::Bold);
  EXPECT_EQ(style.align, ITextAlign::Centre);
  EXPECT_EQ(style.orientation, 0);
  EXPECT_EQ(style.quality, ITextQuality::Default);
  EXPECT_EQ(style.colour, (IColour{255, 100, 100, 100}));
  EXPECT_EQ(style.entryBackground, (IColour{255, 255, 255, 255}));
  EXPECT_EQ(style.entryForeground, (IColour{255, 0, 0, 0}));

  const struct
  {
    QuillwaveControl position;
    IFileAction action;
  } selectors[] = {{QuillwaveControl::LoadSelector, IFileAction::Open},
                   {QuillwaveControl::SaveSelector, IFileAction::Save}};
  for (const auto& expected : selectors)
  {
    const auto& selector = dynamic_cast<const IFileSelectorControl&>(Control(expected.position));
    EXPECT_EQ(selector.Action(), expected.action);
    EXPECT_EQ(selector.GetFolder(), Library());
    EXPECT_EQ(selector.GetFile(), "");
    EXPECT_EQ(selector.GetExtensions(), "quillwavepreset");
  }
}

TEST_F(QuillwaveEditorTest, KnobsShowTheFrameOfTheirValue)
{
  const struct
  {
    double value;
    int frame;
    int other;
  } cases[] = {{0.004, 1, 2}, {0.006, 2, 1}, {0.5, 50, 49}, {1.0, 99, 98}};
  for (QuillwaveControl position :
       {QuillwaveControl::InputGain, QuillwaveControl::Saturation, QuillwaveControl::Tone})
  {
    const IControl& knob = Control(position);
    for (const auto& step : cases)
    {
      SCOPED_TRACE(::testing::Message()
                   << "parameter " << knob.ParamIndex() << " at " << step.value);
      plugin->GetEditor()->ApplyParameterFromPlugin(knob.ParamIndex(), step.value, true);
      ASSERT_TRUE(graphics->Tick());
      EXPECT_TRUE(ShowsFrame(Screen(), knob, step.frame, step.other));
    }
  }
}

TEST_F(QuillwaveEditorTest, OneClickSwitchesTheEffectOn)
{
  const IControl& onOff = Control(QuillwaveControl::EffectOnOff);
  EXPECT_EQ(Value(kMainFxOffOn), 0.0);
  EXPECT_TRUE(ShowsFrame(Screen(), onOff, 1, 2));
  Click(250, 307);
  EXPECT_EQ(Value(kMainFxOffOn), 1.0);
  EXPECT_EQ(plugin->GetEngine().paramValues[kMainFxOffOn], 1.0);
  ASSERT_TRUE(graphics->Tick());
  EXPECT_TRUE(ShowsFrame(Screen(), onOff, 2, 1));
  Click(262, 319);
  EXPECT_EQ(Value(kMainFxOffOn), 0.0);
}

TEST_F(QuillwaveEditorTest, ScreenShowsTheArtworkWhereNothingCoversIt)
{
  // Below the panel shadow only the background's top-left part shows.
  const auto& background =
      dynamic_cast<const IBitmapControl&>(Control(QuillwaveControl::Background));
  for (const auto& [x, y] : {std::pair{3, 470}, std::pair{250, 475}, std::pair{499, 479}})
  {
    EXPECT_EQ(PixelAt(Screen(), x, y), PixelAt(*background.GetStrip().bitmap, x, y))
        << x << ", " << y;
  }
  // The header strip lies on top of the background.
  const auto& header = dynamic_cast<const IBitmapControl&>(Control(QuillwaveControl::HeaderStrip));
  const uint32_t headerPixel = PixelAt(*header.GetStrip().bitmap, 250, 15);
  ASSERT_EQ(headerPixel >> 24, 0xFFu);
  EXPECT_EQ(PixelAt(Screen(), 250, 15), headerPixel);
}

TEST_F(QuillwaveEditorTest, PresetMenuIsAnInvisibleClickArea)
{
  const IRectangle strip{60, 40, 440, 65};
  const auto copyStrip = [&] {
    std::vector<uint32_t> pixels;
    for (int y = strip.top; y < strip.bottom; ++y)
      for (int x = strip.left; x < strip.right; ++x)
        pixels.push_back(PixelAt(Screen(), x, y));
    return pixels;
  };
  const std::vector<uint32_t> withMenu = copyStrip();
  Control(QuillwaveControl::PresetMenu).SetHidden(true);
  ASSERT_TRUE(graphics->Tick());
  EXPECT_EQ(copyStrip(), withMenu);
  // The name is drawn on the strip: without it the strip looks different.
  Control(QuillwaveControl::PresetName).SetHidden(true);
  ASSERT_TRUE(graphics->Tick());
  EXPECT_NE(copyStrip(), withMenu);
}

}  // namespace
