#include "framework/linux/IOffscreenParent.h"
#include "graphics/IControl.h"
#include "graphics/IGraphicsFactory.h"
#include "tests/vst2/TestHost.h"
#include "tests/vst2/TestPlugin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

// A control that remembers every value the plug-in hands it.
class RecordingControl final : public IControl
{
public:
  RecordingControl(IEffectBase* plugin, int paramIndex, std::vector<double>& values)
      : IControl(plugin, IRectangle{0, 0, 10, 10}, paramIndex), values(values)
  {
  }
  bool Draw(IGraphics&) override { return true; }
  void ApplyPluginValue(double value) override
  {
    values.push_back(value);
    IControl::ApplyPluginValue(value);
  }

private:
  std::vector<double>& values;
};

class Vst2Editor : public ::testing::Test
{
protected:
  void SetUp() override
  {
    std::unique_ptr<IGraphics> graphics = CreatePlatformGraphics(&plug, 500, 480, 25, nullptr);
    ASSERT_TRUE(graphics);
    graphics->AttachControl(std::make_unique<RecordingControl>(&plug, TestPlugin::kOffset, values));
    editor = graphics.get();
    plug.AttachEditor(graphics.release());  // the plug-in owns it from here
  }

  TestHost host;
  TestPlugin plug{IEffectVST2::HostContext{&TestHost::Callback}};
  AEffect* effect = plug.GetAEffect();
  IGraphics* editor = nullptr;
  std::vector<double> values;
};

TEST_F(Vst2Editor, AnAttachedEditorIsAnnouncedWithItsSize)
{
  EXPECT_EQ(effect->flags, 0x1010 | effFlagsHasEditor);
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 480);
  EXPECT_EQ(rect->right, 500);
  EXPECT_EQ(Dispatch(effect, effEditGetRect, 0, 0, nullptr), 0);

  plug.ResizeEditor(320, 200);
  EXPECT_EQ(rect->bottom, 200);
  EXPECT_EQ(rect->right, 320);
}

TEST_F(Vst2Editor, OpensAndClosesInTheHostsWindow)
{
  // A Linux host's parent window is an off-screen parent record.
  IOffscreenParent parent{};
  parent.magic = kIOffscreenParentMagic;
  parent.version = kIOffscreenParentVersion;
  parent.size = sizeof parent;
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, &parent), 1);
  EXPECT_EQ(plug.editorOpens, 1);
  EXPECT_NE(editor->WindowHandle(), nullptr);

  EXPECT_EQ(Dispatch(effect, effEditClose), 1);
  EXPECT_EQ(plug.editorCloses, 1);
  EXPECT_EQ(editor->WindowHandle(), nullptr);

  // Anything else opens nothing and says so.
  int notAWindow = 0;
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, &notAWindow), 0);
  EXPECT_EQ(Dispatch(effect, effEditOpen, 0, 0, nullptr), 0);
  EXPECT_EQ(plug.editorOpens, 1);
  EXPECT_EQ(editor->WindowHandle(), nullptr);
}

TEST_F(Vst2Editor, HostChangesReachTheBoundControl)
{
  values.clear();
  effect->setParameter(effect, TestPlugin::kOffset, 0.25f);
  char typed[] = "5";
  Dispatch(effect, effString2Parameter, TestPlugin::kOffset, 0, typed);
  effect->setParameter(effect, TestPlugin::kGain, 0.9f);  // not this control's parameter
  // A typed value arrives as a plain value, which the editor normalises: -5 is 0.25.
  EXPECT_EQ(values, (std::vector<double>{0.25, 0.25}));
}

}  // namespace
