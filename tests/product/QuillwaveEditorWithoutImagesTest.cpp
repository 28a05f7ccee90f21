// An editor whose module holds no images (this program embeds none) keeps
// its layout and its input, and simply draws nothing for the missing art.
#include "engine/EngineParameterTable.h"
#include "graphics/IBitmapControl.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "product/Quillwave.h"
#include "product/QuillwaveEditor.h"

#include <gtest/gtest.h>

namespace
{

TEST(QuillwaveEditorWithoutImages, KeepsTheLayoutAndTakesClicks)
{
  Quillwave plugin;
  auto* graphics = dynamic_cast<IGraphicsOffscreen*>(plugin.GetEditor());
  ASSERT_NE(graphics, nullptr);
  ASSERT_EQ(graphics->GetControlCount(), kQuillwaveControlCount);
  const auto& onOff = dynamic_cast<const IBitmapControl&>(
      *graphics->GetControl(static_cast<int>(QuillwaveControl::EffectOnOff)));
  EXPECT_EQ(onOff.GetStrip().bitmap, nullptr);
  EXPECT_EQ(onOff.GetRect(), (IRectangle{237, 294, 263, 320}));
  EXPECT_EQ(graphics->GetControl(static_cast<int>(QuillwaveControl::Saturation))->GetRect(),
            (IRectangle{181, 297, 201, 317}));
  EXPECT_EQ(graphics->GetControl(static_cast<int>(QuillwaveControl::SaveSelector))->GetRect(),
            (IRectangle{460, 40, 500, 65}));

  graphics->OpenWindow(nullptr);
  EXPECT_TRUE(graphics->Tick());
  IMouseModifiers left;
  left.left = true;
  graphics->OnMouseDown(250, 307, left);
  graphics->OnMouseUp(250, 307, left);
  EXPECT_EQ(plugin.GetParam(kMainFxOffOn)->Value(), 1.0);
  EXPECT_TRUE(graphics->Tick());
}

}  // namespace
