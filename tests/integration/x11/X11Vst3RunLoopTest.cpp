// The VST3 editor view on a Linux host's run loop, through the module's raw interfaces: what
// it registers there, when it lets go, and a frame that offers no run loop.
#include <gtest/gtest.h>

#include <vector>

#include "pluginterfaces/gui/iplugview.h"
#include "tests/integration/vst3/Vst3ModuleHost.h"
#include "tests/support/XvfbEnvironment.h"
#include "tools/pluginhost/linux/X11EditorFrame.h"
#include "tools/pluginhost/linux/X11HostWindow.h"

using namespace Steinberg;

namespace
{

// A frame of a host that has no run loop to offer.
class BareFrame : public IPlugFrame
{
public:
  tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultOk; }
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
  {
    if (FUnknownPrivate::iidEqual(iid, IPlugFrame::iid))
    {
      *obj = static_cast<IPlugFrame*>(this);
      return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return 1; }
  uint32 PLUGIN_API release() override { return 1; }
};

// A host that keeps the handlers it was given, and calls them, after the view let go.
class HoldingFrame : public X11EditorFrame
{
public:
  tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* handler,
                                          Linux::FileDescriptor fd) override
  {
    events.push_back(IPtr<Linux::IEventHandler>(handler));
    return X11EditorFrame::registerEventHandler(handler, fd);
  }
  tresult PLUGIN_API registerTimer(Linux::ITimerHandler* handler,
                                   Linux::TimerInterval milliseconds) override
  {
    timers.push_back(IPtr<Linux::ITimerHandler>(handler));
    return X11EditorFrame::registerTimer(handler, milliseconds);
  }

  std::vector<IPtr<Linux::IEventHandler>> events;
  std::vector<IPtr<Linux::ITimerHandler>> timers;
};

TEST(X11Vst3View, RegistersOnTheRunLoopUntilRemovedAndNeedsARunLoop)
{
  ASSERT_TRUE(TestXvfb() && TestXvfb()->Running());
  X11HostWindow window(500, 480);
  ASSERT_TRUE(window.Created()) << window.Error();
  HoldingFrame frame;
  {
    vst3test::Vst3Instance instance;
    IPtr<IPlugView> view = owned(instance.controller->createView("editor"));
    ASSERT_TRUE(view);

    BareFrame bare;
    view->setFrame(&bare);
    EXPECT_EQ(view->attached(window.Handle(), kPlatformTypeX11EmbedWindowID), kResultFalse);
    EXPECT_EQ(window.EditorWindow(), 0u) << "an editor nothing would drive stayed open";

    view->setFrame(&frame);
    ASSERT_EQ(view->attached(window.Handle(), kPlatformTypeX11EmbedWindowID), kResultOk);
    EXPECT_EQ(frame.EventHandlerCount(), 1u);
    EXPECT_EQ(frame.TimerCount(), 1u);
    EXPECT_EQ(frame.FirstTimerPeriodMs(), 40);
    frame.Run(200);
    EXPECT_GE(frame.TimerCalls(), 1u);
    EXPECT_NE(window.EditorWindow(), 0u);
    EXPECT_EQ(view->removed(), kResultOk);
    EXPECT_EQ(frame.EventHandlerCount(), 0u);
    EXPECT_EQ(frame.TimerCount(), 0u);
    EXPECT_EQ(window.EditorWindow(), 0u);
    view->setFrame(nullptr);
  }
  // View and plug-in are gone; the handlers the host still holds do nothing.
  ASSERT_EQ(frame.events.size(), 1u);
  ASSERT_EQ(frame.timers.size(), 1u);
  frame.events[0]->onFDIsSet(0);
  frame.timers[0]->onTimer();
}

}  // namespace
