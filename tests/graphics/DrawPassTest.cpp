#include "TestEditor.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/IPanelControl.h"
#include "raster/RasterSysBitmap.h"

#include <gtest/gtest.h>

namespace
{

void CleanAll(TestEditor& editor)
{
  for (int pass = 0; pass < 2; ++pass)
    editor.DrawAll();
  editor.log.clear();
}

}  // namespace

TEST(DirtyTracking, NothingChangedCollectsNothing)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 50, 50});
  editor.Attach();
  IRectangle area;
  EXPECT_TRUE(editor.graphics->CollectDirty(area));  // new controls start dirty
  CleanAll(editor);
  area = {};
  EXPECT_FALSE(editor.graphics->CollectDirty(area));
  EXPECT_TRUE(area.Empty());
}

TEST(DirtyTracking, UnionOfTheDirtyControls)
{
  TestEditor editor;
  editor.AddRecording("a", {10, 10, 50, 50}, 1);
  editor.AddRecording("b", {100, 200, 140, 240}, 2);
  editor.AddRecording("c", {300, 300, 340, 340}, 3);
  editor.Attach();
  CleanAll(editor);
  editor.graphics->ApplyParameterFromPlugin(1, 0.9, true);
  editor.graphics->ApplyParameterFromPlugin(2, 0.1, true);
  editor.graphics->ApplyParameterFromPlugin(3, 0.5, true);  // unchanged value: stays clean
  IRectangle area;
  EXPECT_TRUE(editor.graphics->CollectDirty(area));
  EXPECT_EQ(area, (IRectangle{10, 10, 140, 240}));
}

TEST(DirtyTracking, PluginChangeStaysDirtyForOneMorePass)
{
  TestEditor editor;
  RecordingControl* control = editor.AddRecording("a", {0, 0, 50, 50}, 1);
  editor.Attach();
  CleanAll(editor);
  editor.graphics->ApplyParameterFromPlugin(1, 0.25, true);
  EXPECT_TRUE(control->NeedsRedraw());
  EXPECT_TRUE(control->RedrawPending());
  editor.DrawAll();
  EXPECT_TRUE(control->NeedsRedraw());
  editor.DrawAll();
  EXPECT_FALSE(control->NeedsRedraw());
}

TEST(StrictDrawing, DrawsWhatTheAreaOverlapsInIndexOrderAndCleansEverything)
{
  TestEditor editor;
  editor.AddRecording("back", {0, 0, 500, 480});
  editor.AddRecording("inside", {20, 20, 40, 40});
  RecordingControl* hidden = editor.AddRecording("hidden", {20, 20, 40, 40});
  editor.AddRecording("away", {200, 200, 240, 240});
  // Its right edge touches the area's left edge: the area does not overlap it.
  editor.AddRecording("left", {0, 60, 10, 70});
  // The area's right edge touches its left edge: that counts.
  editor.AddRecording("touching", {50, 20, 60, 30});
  editor.AddRecording("empty", {});
  hidden->SetHidden(true);
  editor.Attach();

  editor.graphics->DrawDirty({10, 10, 50, 80});
  EXPECT_EQ(editor.log, (Calls{"draw back", "draw inside", "draw touching"}));
  EXPECT_EQ(editor.graphics->GetDrawRect(), (IRectangle{10, 10, 50, 80}));
  // The hidden control asked for a redraw while hidden, so it keeps one pass.
  for (int i = 0; i < editor.graphics->GetControlCount(); ++i)
    EXPECT_EQ(editor.graphics->GetControl(i)->NeedsRedraw(), i == 2) << i;
  EXPECT_EQ(editor.graphics->LastScreenRect(), (IRectangle{10, 10, 50, 80}));
  EXPECT_EQ(editor.graphics->ScreenUpdates(), 1);
}

TEST(StrictDrawing, WithoutControlsOrBeforeAttachingNothingIsDrawn)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 50, 50});
  editor.DrawAll();  // no draw bitmap yet
  EXPECT_TRUE(editor.log.empty());
  EXPECT_EQ(editor.graphics->ScreenUpdates(), 0);

  TestEditor bare;
  bare.Attach();
  bare.DrawAll();
  EXPECT_EQ(bare.graphics->ScreenUpdates(), 0);
}

TEST(EachDirtyDrawing, DirtyBackgroundRedrawsEveryVisibleControl)
{
  TestEditor editor;
  RecordingControl* back = editor.AddRecording("back", {0, 0, 500, 480});
  editor.AddRecording("a", {300, 300, 340, 340});
  RecordingControl* hidden = editor.AddRecording("hidden", {0, 0, 10, 10});
  editor.Attach();
  editor.graphics->SetStrictDrawing(false);
  hidden->SetHidden(true);
  back->SetHidden(true);  // the background draws even when hidden
  editor.graphics->DrawDirty({0, 0, 1, 1});
  EXPECT_EQ(editor.log, (Calls{"draw back", "draw a"}));
  EXPECT_EQ(editor.graphics->GetDrawRect(), (IRectangle{0, 0, 500, 480}));
  EXPECT_TRUE(hidden->NeedsRedraw());
  EXPECT_EQ(editor.graphics->LastScreenRect(), (IRectangle{0, 0, 1, 1}));
}

TEST(EachDirtyDrawing, CleanBackgroundRedrawsEachDirtyControlWithWhatOverlapsIt)
{
  TestEditor editor;
  editor.AddRecording("back", {0, 0, 500, 480});
  editor.AddRecording("under", {90, 90, 110, 110});
  RecordingControl* dirty = editor.AddRecording("dirty", {100, 100, 140, 140}, 1);
  editor.AddRecording("over", {130, 130, 200, 200});
  // Its right edge touches the dirty control's left edge: it counts as overlapping.
  editor.AddRecording("touching", {60, 100, 100, 120});
  editor.AddRecording("far", {300, 300, 340, 340});
  RecordingControl* second = editor.AddRecording("second", {400, 400, 420, 420}, 2);
  editor.Attach();
  editor.graphics->SetStrictDrawing(false);
  CleanAll(editor);

  editor.graphics->ApplyParameterFromPlugin(1, 0.1, true);
  editor.graphics->ApplyParameterFromPlugin(2, 0.1, true);
  editor.graphics->DrawDirty({});
  EXPECT_EQ(editor.log, (Calls{"draw back", "draw under", "draw dirty", "draw over",
                               "draw touching", "draw back", "draw second"}));
  EXPECT_EQ(editor.graphics->GetDrawRect(), second->GetRect());
  // Both had a redraw pending from the plug-in's change.
  EXPECT_TRUE(dirty->NeedsRedraw());
  EXPECT_TRUE(second->NeedsRedraw());
}

TEST(BitmapDrawing, FramesComeFromTheirOffsetAndAreClippedToTheDrawRectangle)
{
  TestEditor editor;
  editor.Add<IBitmapControl>(IRectangle{0, 0, 500, 480}, -1, editor.images.Strip(1, 500, 480, 1));
  auto* knob = editor.Add<IKnobMultiControl>(IRectangle{100, 100, 140, 140}, 1,
                                             editor.images.Strip(3, 40, 40, 99));
  editor.Attach();
  editor.DrawAll();
  ASSERT_EQ(editor.DrawnPixel(139, 139), FramePixel(3, 50));

  knob->ApplyPluginValue(1.0);
  editor.graphics->DrawDirty({100, 100, 120, 120});
  EXPECT_EQ(editor.DrawnPixel(100, 100), FramePixel(3, 99));
  EXPECT_EQ(editor.DrawnPixel(119, 119), FramePixel(3, 99));
  EXPECT_EQ(editor.DrawnPixel(120, 120), FramePixel(3, 50));
  EXPECT_EQ(editor.DrawnPixel(139, 101), FramePixel(3, 50));
}

TEST(BitmapDrawing, BackgroundLargerThanTheEditorShowsItsTopLeft)
{
  TestEditor editor;
  auto big = editor.images.Filled(1000, 1000, 0xFF102030u);
  big->Bits()[499] = 0xFF0000FFu;  // row 0, x 499: inside the editor
  const IBitmapStrip strip{big.get(), 1000, 1000, 1, false};
  editor.Add<IBitmapControl>(IRectangle{0, 0, 1000, 1000}, -1, strip, IBlend{IBlendMethod::Opaque});
  editor.Attach();
  editor.DrawAll();
  const RasterBitmap& drawn = *editor.graphics->GetDrawBitmap();
  EXPECT_EQ(drawn.Width(), 500);
  EXPECT_EQ(PixelAt(drawn, 499, 0), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(drawn, 250, 479), 0xFF102030u);
}

TEST(BitmapDrawing, BlendMethodsMapToTheirRasterModes)
{
  // Half-transparent white over opaque grey 0x40: each blend gives its own mix.
  struct Case
  {
    IBlendMethod method;
    uint32_t expected;
  };
  // Weighted copy at full weight: d = s + (d - s) * (255 - sa) / 256, alpha
  // min(255, da + sa). Opaque copy takes the pixel as it is. Add, with
  // a = 256 * (sa + 1) / 256 = 129: d + a * s / 256. Colour dodge:
  // k = a * s / 256 = 128, d * 256 / (256 - k); for alpha k = sa * a / 256.
  for (const Case c :
       {Case{IBlendMethod::None, 0xFFA1A1A1u}, Case{IBlendMethod::Opaque, 0x80FFFFFFu},
        Case{IBlendMethod::Add, 0xFFC0C0C0u}, Case{IBlendMethod::ColourDodge, 0xFF808080u}})
  {
    TestEditor editor;
    editor.Add<IPanelControl>(IRectangle{0, 0, 500, 480}, IColour{255, 0x40, 0x40, 0x40},
                              IBlend{IBlendMethod::Opaque});
    auto white = editor.images.Filled(10, 10, 0x80FFFFFFu);
    editor.Add<IBitmapControl>(IRectangle{0, 0, 10, 10}, -1,
                               IBitmapStrip{white.get(), 10, 10, 1, false}, IBlend{c.method});
    editor.Attach();
    editor.DrawAll();
    EXPECT_EQ(editor.DrawnPixel(5, 5), c.expected) << static_cast<int>(c.method);
  }
}

TEST(PanelDrawing, FillCoversTheWholeRectEvenOutsideTheDrawRectangle)
{
  TestEditor editor;
  editor.Add<IPanelControl>(IRectangle{0, 0, 100, 100}, IColour{255, 1, 2, 3}, IBlend{});
  editor.Attach();
  editor.graphics->DrawDirty({0, 0, 10, 10});
  EXPECT_EQ(editor.DrawnPixel(99, 99), 0xFF010203u);
}
