#include "TestEditor.h"

#include "graphics/IKnobMultiControl.h"
#include "graphics/IPanelControl.h"
#include "graphics/ITextControl.h"
#include "raster/RasterFontCache.h"

#include <gtest/gtest.h>

namespace
{

ITextStyle Style(ITextAlign align)
{
  ITextStyle style;
  style.SetFontName("Arial");
  style.size = 20;
  style.style = IFontStyle::Bold;
  style.align = align;
  style.colour = IColour{255, 100, 100, 100};
  return style;
}

// Width and height of `text` as the font itself measures it.
std::pair<int, int> FontExtent(const ITextStyle& style, const char* text)
{
  RasterFontStyle key;
  key.name = style.fontName;
  key.size = style.size;
  key.style = static_cast<int32_t>(style.style);
  RasterFont* font = RasterFontCacheGetOrCreate(key);
  EXPECT_NE(font, nullptr);
  RasterRect extent;
  font->DrawString(nullptr, text, -1, extent, kRasterTextMeasure);
  return {extent.right - extent.left, extent.bottom - extent.top};
}

}  // namespace

TEST(MeasureText, AdjustsTheRectangleToTheAlignment)
{
  TestEditor editor;
  const char* text = "Clean Chorus";
  ITextStyle left = Style(ITextAlign::Left);
  const auto [width, height] = FontExtent(left, text);
  ASSERT_GT(width, 0);

  IRectangle rect{10, 10, 100, 30};
  EXPECT_TRUE(editor.graphics->MeasureText(left, text, rect));
  EXPECT_EQ(rect, (IRectangle{10, 10, 10 + width, 10 + height}));
  EXPECT_NE(left.cachedFont, nullptr);

  ITextStyle centre = Style(ITextAlign::Centre);
  rect = {10, 10, 101, 30};
  EXPECT_TRUE(editor.graphics->MeasureText(centre, text, rect));
  EXPECT_EQ(rect.left, 55 - width / 2);
  EXPECT_EQ(rect.right, rect.left + width);

  ITextStyle right = Style(ITextAlign::Right);
  rect = {10, 10, 100, 30};
  EXPECT_TRUE(editor.graphics->MeasureText(right, text, rect));
  EXPECT_EQ(rect, (IRectangle{100 - width, 10, 100, 10 + height}));

  rect = {1, 2, 3, 4};
  EXPECT_TRUE(editor.graphics->MeasureText(right, "", rect));
  EXPECT_EQ(rect, (IRectangle{1, 2, 3, 4}));
}

TEST(TextControl, DrawsItsTextFromTheTopOfItsRectangle)
{
  TestEditor editor;
  editor.Add<IPanelControl>(IRectangle{0, 0, 500, 480}, IColour{255, 0, 0, 0});
  auto* name = editor.Add<ITextControl>(IRectangle{60, 43, 440, 65}, Style(ITextAlign::Centre),
                                        "< Presets Library >");
  editor.Attach();
  editor.DrawAll();
  int inked = 0;
  for (int y = 0; y < 480; ++y)
  {
    for (int x = 0; x < 500; ++x)
    {
      if (editor.DrawnPixel(x, y) != 0xFF000000u)
      {
        ++inked;
        EXPECT_GE(y, 43);
        EXPECT_LT(y, 43 + 30);
        EXPECT_GE(x, 60);
        EXPECT_LT(x, 440);
      }
    }
  }
  EXPECT_GT(inked, 100);
  EXPECT_EQ(name->GetText(), "< Presets Library >");
}

TEST(TextControl, ValueAndNameTextsFollowUserChanges)
{
  TestEditor editor;
  editor.plugin.GetParam(2)->InitDouble("Gain", 5.0, 0.0, 10.0, 0.5, "dB");
  auto* knob = editor.Add<IKnobMultiControl>(IRectangle{100, 100, 140, 140}, 2,
                                             editor.images.Strip(1, 40, 40, 99));
  auto* value = editor.Add<ITextControl>(IRectangle{0, 0, 100, 20}, Style(ITextAlign::Left));
  auto* name = editor.Add<ITextControl>(IRectangle{0, 20, 100, 40}, Style(ITextAlign::Left));
  knob->SetValueTextControl(value);
  knob->SetNameTextControl(name);
  editor.Attach();

  // Values from the plug-in do not touch the texts.
  editor.graphics->ApplyParameterFromPlugin(2, 0.3, true);
  EXPECT_EQ(value->GetText(), "");
  editor.graphics->OnMouseWheel(120, 120, IMouseModifiers{}, 5);
  EXPECT_EQ(value->GetText(), "3.5 dB");
  EXPECT_EQ(name->GetText(), "Gain");
}
