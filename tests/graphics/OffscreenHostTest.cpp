#include "TestEditor.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IMenu.h"
#include "graphics/IPanelControl.h"
#include "raster/RasterImageCache.h"

#include <gtest/gtest.h>

namespace
{

// Ids far from the product's 101..114, unique per test: the image cache is
// process-wide.
constexpr int kBackgroundId = 9101;
constexpr int kKnobId = 9102;
constexpr int kMissingId = 9103;

// Chooses the third item of the second item's submenu.
struct MenuAnswers : IOffscreenAnswers
{
  IMenu* ChooseFromMenu(IMenu& menu, const IRectangle&) override
  {
    IMenu* submenu = menu.Item(1)->submenu;
    submenu->SetChosenItem(2);
    return submenu;
  }
};

}  // namespace

TEST(OffscreenHost, OpeningMarksEverythingDirtyAndTickDrawsItOntoTheScreen)
{
  TestEditor editor;
  editor.Add<IPanelControl>(IRectangle{0, 0, 500, 480}, IColour{255, 0, 0, 0x40});
  editor.Add<IPanelControl>(IRectangle{10, 10, 20, 20}, IColour{255, 0xFF, 0, 0});
  editor.Attach();
  editor.DrawAll();
  editor.DrawAll();
  EXPECT_FALSE(editor.graphics->Tick());

  EXPECT_NE(editor.graphics->OpenWindow(nullptr), nullptr);
  EXPECT_TRUE(editor.graphics->WindowIsOpen());
  const int updates = editor.graphics->ScreenUpdates();
  EXPECT_TRUE(editor.graphics->Tick());
  EXPECT_EQ(editor.graphics->ScreenUpdates(), updates + 1);
  EXPECT_EQ(editor.graphics->LastScreenRect(), (IRectangle{0, 0, 500, 480}));
  EXPECT_EQ(PixelAt(editor.graphics->Screen(), 15, 15), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(editor.graphics->Screen(), 499, 479), 0xFF000040u);
  EXPECT_FALSE(editor.graphics->Tick());
}

TEST(OffscreenHost, ScreenReceivesOnlyTheRedrawnArea)
{
  TestEditor editor;
  auto* dot =
      editor.Add<IBitmapControl>(IRectangle{50, 50, 60, 60}, 1, editor.images.Strip(5, 10, 10, 2));
  editor.Attach();
  editor.graphics->OpenWindow(nullptr);
  editor.graphics->Tick();
  editor.graphics->Tick();
  ASSERT_EQ(PixelAt(editor.graphics->Screen(), 55, 55), FramePixel(5, 2));  // value 0.5

  // Composed but not yet shown: only the draw pass's DrawScreen copies it.
  dot->ApplyPluginValue(0.0);
  editor.graphics->DrawBitmapFrame(dot->GetStrip(), dot->GetRect(), 1, nullptr);
  EXPECT_EQ(PixelAt(editor.graphics->Screen(), 55, 55), FramePixel(5, 2));
  EXPECT_TRUE(editor.graphics->Tick());
  EXPECT_EQ(editor.graphics->LastScreenRect(), dot->GetRect());
  EXPECT_EQ(PixelAt(editor.graphics->Screen(), 55, 55), FramePixel(5, 1));
}

TEST(OffscreenHost, PopupMenuForgetsTheCaptureAndRepaintsTheEditor)
{
  TestEditor editor;
  editor.AddRecording("a", {0, 0, 500, 480});
  editor.Attach();
  MenuAnswers answers;
  editor.graphics->SetAnswers(&answers);
  editor.DrawAll();
  editor.DrawAll();
  editor.graphics->OnMouseDown(5, 5, LeftButton());

  IMenu banks;
  banks.AddItem("A");
  banks.AddItem("B");
  banks.AddItem("C");
  IMenu menu;
  menu.AddItem("< Presets Library >");
  menu.AddItem("Banks", &banks);
  IMenu* chosen = editor.graphics->ShowPopupMenu(menu, {0, 0, 10, 10});
  EXPECT_EQ(chosen, &banks);
  EXPECT_EQ(banks.ChosenItem(), 2);
  EXPECT_EQ(editor.graphics->GetMouseCapture(), -1);
  EXPECT_TRUE(editor.graphics->Tick());
  EXPECT_EQ(editor.graphics->LastScreenRect(), (IRectangle{0, 0, 500, 480}));

  editor.graphics->SetAnswers(nullptr);
  EXPECT_EQ(editor.graphics->ShowPopupMenu(menu, {}), nullptr);
}

TEST(ImageLoading, StripsComeFromTheCacheAndTheBackgroundGoesFirst)
{
  TestImages images;
  RasterImageCacheAdd(images.Filled(1000, 1000, 0xFF101010u), kBackgroundId);
  RasterImageCacheAdd(images.Filled(40, 3960, 0xFF202020u), kKnobId);

  TestEditor editor;
  editor.AddRecording("first", {0, 0, 10, 10});
  const IBitmapStrip knob = editor.graphics->LoadBitmapStrip(kKnobId, "knob.png", 99);
  EXPECT_EQ(knob.bitmap, RasterImageCacheFind(kKnobId));
  EXPECT_EQ(knob.width, 40);
  EXPECT_EQ(knob.height, 3960);
  EXPECT_EQ(knob.frameCount, 99);
  EXPECT_FALSE(knob.horizontal);

  IBitmapControl* background = editor.graphics->AttachBackground(kBackgroundId, "back.png");
  ASSERT_EQ(editor.graphics->GetControlCount(), 2);
  EXPECT_EQ(editor.graphics->GetControl(0), background);
  EXPECT_EQ(background->GetRect(), (IRectangle{0, 0, 1000, 1000}));
  EXPECT_EQ(background->ParamIndex(), -1);
  EXPECT_EQ(background->GetBlend().method, IBlendMethod::Opaque);
  EXPECT_FLOAT_EQ(background->GetBlend().weight, 1.0f);
}

TEST(ImageLoading, MissingImageGivesAnEmptyStripThatDrawsNothing)
{
  TestEditor editor;
  // No module resources: the load fails, and so does a name that is no PNG.
  EXPECT_EQ(editor.graphics->LoadOsBitmap(kMissingId, "missing.png"), nullptr);
  EXPECT_EQ(editor.graphics->LoadOsBitmap(kMissingId, "missing.bmp"), nullptr);
  const IBitmapStrip strip = editor.graphics->LoadBitmapStrip(kMissingId, "missing.png", 0);
  EXPECT_EQ(strip.bitmap, nullptr);
  EXPECT_EQ(strip.width, 0);
  EXPECT_EQ(strip.frameCount, 1);
  editor.Add<IPanelControl>(IRectangle{0, 0, 500, 480}, IColour{255, 1, 1, 1});
  editor.Add<IBitmapControl>(IRectangle{0, 0, 40, 40}, -1, strip);
  editor.Attach();
  editor.DrawAll();
  EXPECT_EQ(editor.DrawnPixel(5, 5), 0xFF010101u);
}

TEST(Menus, ItemsAppendAndShowTheirNumbers)
{
  IMenu submenu;
  IMenu menu(IMenuPrefix::TwoDigits);
  IMenuItem* first = menu.AddItem("Clean");
  IMenuItem* second = menu.AddItem("Banks", &submenu);
  EXPECT_EQ(menu.ItemCount(), 2);
  EXPECT_EQ(menu.Item(0), first);
  EXPECT_EQ(second->submenu, &submenu);
  EXPECT_EQ(first->flags, 0);
  EXPECT_EQ(menu.ChosenItem(), -1);
  EXPECT_EQ(menu.ShownText(1), "02: Banks");
  EXPECT_EQ(menu.ShownText(2), "");
  EXPECT_EQ(menu.Item(-1), nullptr);
  EXPECT_EQ(IMenu(IMenuPrefix::OneDigit).ShownText(0), "");
  IMenu three(IMenuPrefix::ThreeDigits);
  three.AddItem(nullptr);
  EXPECT_EQ(three.ShownText(0), "001: ");
  EXPECT_EQ(submenu.ShownText(0), "");
}
