// Both Linux modules with their editors opened the way Linux hosts open them: as an X11 child
// window of a host window on a private Xvfb server, driven by the host's run loop (VST3) or
// idle calls (VST2) and by real input events injected through XTEST.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/integration/x11/X11EditorFixture.h"
#include "tests/integration/x11/XResourceCount.h"
#include "vst2/Vst24Interface.h"

namespace x11test
{
namespace
{

TEST_P(X11Editor, OpensAsAMappedXEmbedChildAndShowsTheOffscreenPicture)
{
  X11HostWindow window(500, 480);
  ASSERT_TRUE(window.Created()) << window.Error();
  ASSERT_TRUE(Open(*plugin, window));
  EXPECT_NE(window.EditorWindow(), 0u);
  uint32_t version = 99, flags = 0;
  ASSERT_TRUE(window.XEmbedInfo(version, flags));
  EXPECT_EQ(version, 0u);
  EXPECT_EQ(flags & 1u, 1u) << "XEMBED_MAPPED";
  const std::vector<uint32_t> shown = Shown(window);
  EXPECT_TRUE(shown == Offscreen()) << "the window differs from the off-screen rendering";
}

TEST_P(X11Editor, AKnobDragAWheelNotchAndASwitchClickSetTheirParametersAndAreDrawn)
{
  X11HostWindow window(500, 480);
  ASSERT_TRUE(window.Created()) << window.Error();
  ASSERT_TRUE(Open(*plugin, window));
  const std::vector<uint32_t> before = Shown(window);

  // Up by one knob height in two moves: a quarter of the knob's travel.
  const double centre = Value("QuillwaveCenter");
  Drag(window, kCentreKnobX, kCentreKnobY, -40);
  EXPECT_NEAR(Value("QuillwaveCenter"), centre + 0.25, 1e-6);
  window.MoveTo(kCentreKnobX, kCentreKnobY);
  window.Button(4, true);
  window.Button(4, false);
  plugin->RunX11Editor(30);
  EXPECT_GT(Value("QuillwaveCenter"), centre + 0.25);

  EXPECT_EQ(Value("MainFxOffOn"), 0.0);
  window.Click(kSwitchX, kSwitchY);
  plugin->RunX11Editor(30);
  EXPECT_EQ(Value("MainFxOffOn"), 1.0);

  const std::vector<uint32_t> after = Shown(window);
  EXPECT_FALSE(after == before);
  EXPECT_TRUE(after == Offscreen()) << "the window differs from the off-screen rendering";
}

TEST_P(X11Editor, RefusesAWindowThatIsGoneAndSurvivesItsParentGoingFirst)
{
  X11HostWindow gone(500, 480);
  ASSERT_TRUE(gone.Created()) << gone.Error();
  X11HostWindow stale(500, 480);
  stale.Destroy();
  std::string error;
  EXPECT_FALSE(plugin->OpenX11Editor(stale, error)) << "a destroyed window was accepted";

  ASSERT_TRUE(Open(*plugin, gone));
  plugin->RunX11Editor(60);
  gone.Destroy();
  plugin->RunX11Editor(100);
  plugin->CloseEditor();

  // The editor opens again in a new window afterwards.
  X11HostWindow fresh(500, 480);
  ASSERT_TRUE(Open(*plugin, fresh));
  const std::vector<uint32_t> shown = Shown(fresh);
  EXPECT_TRUE(shown == Offscreen());
}

TEST_P(X11Editor, OpeningClosingAndTwoInstancesLeakNoXResourcesOrDescriptors)
{
  auto second = Load();
  ASSERT_NE(second, nullptr);
  {
    // The first opening loads fonts and images for good.
    X11HostWindow warm(500, 480);
    ASSERT_TRUE(Open(*plugin, warm));
    Shown(warm);
    plugin->CloseEditor();
  }
  const XResourceCount before = CountXResources();
  for (int round = 0; round < 3; ++round)
  {
    X11HostWindow first(500, 480, 0);
    X11HostWindow other(500, 480, 520);
    ASSERT_TRUE(Open(*plugin, first));
    ASSERT_TRUE(Open(*second, other));
    plugin->RunX11Editor(60);
    second->RunX11Editor(60);
    // Reopened while open: the old window goes.
    ASSERT_TRUE(Open(*plugin, first));
    plugin->RunX11Editor(60);
    plugin->CloseEditor();
    second->CloseEditor();
  }
  const XResourceCount after = CountXResources();
  EXPECT_EQ(after.descriptors, before.descriptors);
  EXPECT_EQ(after.clients, before.clients);
  EXPECT_EQ(after.resources, before.resources);
}

INSTANTIATE_TEST_SUITE_P(BothModules, X11Editor,
                         ::testing::Values(QUILLWAVE_VST3_BUNDLE, QUILLWAVE_VST2_MODULE),
                         ModuleName);

// The raw VST2 interface, for what a host may do that our host layer never does.
VstIntPtr VSTCALLBACK HostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
  return opcode == 1 ? 2400 : 0;  // audioMasterVersion
}

TEST(X11Vst2Editor, RefusesPointersThatAreNoWindowAndOutlivesItsOwnerClosingWithTheEditorOpen)
{
  ASSERT_TRUE(TestXvfb() && TestXvfb()->Running());
  void* module = dlopen(QUILLWAVE_VST2_MODULE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(module, nullptr) << dlerror();
  using Main = AEffect* (*)(audioMasterCallback);
  auto main = reinterpret_cast<Main>(dlsym(module, "VSTPluginMain"));
  ASSERT_NE(main, nullptr);

  // The host's own connection is there before the count.
  X11HostWindow window(500, 480);
  ASSERT_TRUE(window.Created());
  const XResourceCount before = CountXResources();
  {
    AEffect* effect = main(&HostCallback);
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0);
    int notAWindow = 0;
    EXPECT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, &notAWindow, 0), 0);
    EXPECT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(7), 0), 0);
    EXPECT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, window.Handle(), 0), 1);
    for (int i = 0; i < 5; ++i)
      effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0);
    EXPECT_NE(window.EditorWindow(), 0u);
    // Closed without effEditClose.
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
    EXPECT_EQ(window.EditorWindow(), 0u);
  }
  const XResourceCount after = CountXResources();
  EXPECT_EQ(after.descriptors, before.descriptors);
  EXPECT_EQ(after.clients, before.clients);
  EXPECT_EQ(after.resources, before.resources);
  dlclose(module);
}

}  // namespace
}  // namespace x11test
