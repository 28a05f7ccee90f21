#include "tests/vst3/TestEffect.h"
#include "tests/vst3/Vst3TestData.h"
#include "tools/pluginhost/Vst3HostObjects.h"

#include "framework/linux/IOffscreenParent.h"
#include "graphics/IPanelControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "vst3/IEffectVST3View.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vst3test
{
namespace
{

using Events = std::vector<std::string>;

// The test plug-in with an off-screen editor: a grey panel and the switch of
// parameter 1 at the place of Quillwave's effect switch. Editor hooks are
// noted in order.
class EditorEffect : public TestEffect
{
public:
  EditorEffect()
  {
    auto graphics = std::make_unique<IGraphicsOffscreen>(this, 500, 480, 25, nullptr);
    graphics->AttachControl(std::make_unique<IPanelControl>(this, IRectangle{0, 0, 500, 480},
                                                            IColour{255, 64, 64, 64}));
    IBitmapStrip twoFrames;
    twoFrames.frameCount = 2;
    graphics->AttachControl(
        std::make_unique<ISwitchControl>(this, IRectangle{237, 294, 263, 320}, 1, twoFrames));
    offscreen = graphics.get();
    AttachEditor(graphics.release());
  }

  void OnEditorOpen() override { events.push_back("open"); }
  void OnEditorClose() override { events.push_back("close"); }
  void OnEditorResized() override { events.push_back("resized"); }

  IGraphicsOffscreen* offscreen = nullptr;
  Events events;
};

// The host's window frame: notes each resize request and answers it.
class PlugFrame : public IPlugFrame
{
public:
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* size) override
  {
    requests.push_back({view, *size});
    if (answerAtOnce)
      view->onSize(size);
    return result;
  }
  tresult PLUGIN_API queryInterface(const TUID, void** obj) override
  {
    *obj = nullptr;
    return kNoInterface;
  }
  PLUGINHOST_REFCOUNT

  struct Request
  {
    IPlugView* view;
    ViewRect size;
  };
  std::vector<Request> requests;
  bool answerAtOnce = false;
  tresult result = kResultOk;
};

class ContextMenu : public IContextMenu
{
public:
  int32 PLUGIN_API getItemCount() override { return 0; }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kResultFalse; }
  tresult PLUGIN_API addItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API popup(UCoord x, UCoord y) override
  {
    popups.push_back(std::to_string(x) + " " + std::to_string(y));
    return kResultOk;
  }
  tresult PLUGIN_API queryInterface(const TUID, void** obj) override
  {
    *obj = nullptr;
    return kNoInterface;
  }
  PLUGINHOST_REFCOUNT

  Events popups;
};

// A component handler that also offers the host's parameter context menu.
class MenuHandler : public pluginhost::ComponentHandler, public IComponentHandler3
{
public:
  IContextMenu* PLUGIN_API createContextMenu(IPlugView* view, const ParamID* id) override
  {
    menuRequests.push_back({view, id ? *id : 0xFFFFFFFF});
    if (!offersMenu)
      return nullptr;
    menu.addRef();
    return &menu;
  }
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
  {
    if (FUnknownPrivate::iidEqual(iid, IComponentHandler3::iid))
    {
      *obj = static_cast<IComponentHandler3*>(this);
      addRef();
      return kResultOk;
    }
    return ComponentHandler::queryInterface(iid, obj);
  }
  uint32 PLUGIN_API addRef() override { return ComponentHandler::addRef(); }
  uint32 PLUGIN_API release() override { return ComponentHandler::release(); }

  struct Request
  {
    IPlugView* view;
    ParamID id;
  };
  std::vector<Request> menuRequests;
  bool offersMenu = true;
  ContextMenu menu;
};

// The record a Linux host hands over as the parent window.
IOffscreenParent Record()
{
  IOffscreenParent record{};
  record.magic = kIOffscreenParentMagic;
  record.version = kIOffscreenParentVersion;
  record.size = sizeof record;
  return record;
}

bool SameSize(const ViewRect& rect, int32 width, int32 height)
{
  return rect.left == 0 && rect.top == 0 && rect.right == width && rect.bottom == height;
}

class Vst3View : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_EQ(effect->initialize(&host), kResultOk);
    ASSERT_EQ(effect->setComponentHandler(&handler), kResultOk);
    effect->events.clear();
  }

  void TearDown() override { effect->terminate(); }

  // A new view, owned by the test.
  IPtr<IPlugView> CreateView()
  {
    IPlugView* view = effect->createView(ViewType::kEditor);
    EXPECT_NE(view, nullptr);
    return owned(view);
  }

  pluginhost::HostApplication host{u"Test Host"};
  MenuHandler handler;
  // Outlives the plug-in, whose editor may still be connected to it.
  IOffscreenParent record = Record();
  IPtr<EditorEffect> effect = owned(new EditorEffect());
};

TEST_F(Vst3View, IsCreatedOnlyForTheEditorOfAPluginThatHasOne)
{
  EXPECT_EQ(effect->createView("other"), nullptr);
  EXPECT_EQ(effect->createView(nullptr), nullptr);
  EXPECT_EQ(effect->GetViewCount(), 0);

  // Without an editor the host gets no view and can offer its own controls.
  IPtr<TestEffect> plain = owned(new TestEffect());
  EXPECT_EQ(plain->createView(ViewType::kEditor), nullptr);
}

TEST_F(Vst3View, ReportsTheEditorSizeBeforeItIsAttached)
{
  IPtr<IPlugView> view = CreateView();
  ViewRect size(1, 2, 3, 4);
  EXPECT_EQ(view->getSize(&size), kResultOk);
  EXPECT_TRUE(SameSize(size, 500, 480));
  EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
  // Nothing else a host might call changes anything.
  EXPECT_EQ(view->canResize(), kResultFalse);
  EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
  EXPECT_EQ(view->onKeyDown(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onFocus(true), kResultFalse);
  EXPECT_EQ(view->checkSizeConstraint(&size), kResultFalse);
}

TEST_F(Vst3View, OffersThePlatformTypesOfThisBuild)
{
  IPtr<IPlugView> view = CreateView();
  EXPECT_STREQ(IEffectVST3View::kPlatformType, IOFFSCREEN_PARENT_PLATFORM_TYPE);
  EXPECT_EQ(view->isPlatformTypeSupported(IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultOk);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultOk);
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
}

TEST_F(Vst3View, AttachingOpensTheEditorInTheRecordAndRemovingClosesIt)
{
  IPtr<IPlugView> view = CreateView();
  ASSERT_EQ(view->attached(&record, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultOk);
  EXPECT_EQ(effect->events, (Events{"open"}));
  ASSERT_NE(record.mouseDown, nullptr);
  EXPECT_EQ(record.tick(&record), 1);

  // A click on the switch changes parameter 1 and tells the host.
  handler.calls.clear();
  record.mouseDown(&record, 250, 307, kIOffscreenLeftButton);
  record.mouseUp(&record, 250, 307, kIOffscreenLeftButton);
  EXPECT_DOUBLE_EQ(effect->getParamNormalized(1), 1.0);
  ASSERT_EQ(handler.calls.size(), 3u);
  EXPECT_EQ(handler.calls[0].what, "begin");
  EXPECT_EQ(handler.calls[1].what, "perform");
  EXPECT_EQ(handler.calls[1].id, 1u);
  EXPECT_DOUBLE_EQ(handler.calls[1].value, 1.0);
  EXPECT_EQ(handler.calls[2].what, "end");

  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(effect->events, (Events{"open", "close"}));
  EXPECT_EQ(record.editor, nullptr);
  EXPECT_FALSE(effect->offscreen->WindowIsOpen());

  // Removed views can be attached again; a second removal does nothing more.
  ASSERT_EQ(view->attached(&record, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultOk);
  EXPECT_EQ(record.tick(&record), 1);
  view->removed();
  view->removed();
  EXPECT_EQ(effect->events, (Events{"open", "close", "open", "close"}));
}

TEST_F(Vst3View, RefusesOtherPlatformTypesAndParentsThatAreNoRecord)
{
  IPtr<IPlugView> view = CreateView();
  int notARecord = 0;
  IOffscreenParent oldRecord = Record();
  oldRecord.size = 16;
  EXPECT_EQ(view->attached(&record, kPlatformTypeX11EmbedWindowID), kResultFalse);
  EXPECT_EQ(view->attached(&record, nullptr), kResultFalse);
  EXPECT_EQ(view->attached(nullptr, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultFalse);
  EXPECT_EQ(view->attached(reinterpret_cast<void*>(0x3a00007), IOFFSCREEN_PARENT_PLATFORM_TYPE),
            kResultFalse);
  EXPECT_EQ(view->attached(&notARecord, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultFalse);
  EXPECT_EQ(view->attached(&oldRecord, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultFalse);
  EXPECT_EQ(record.editor, nullptr);

  // Never attached, so removing runs no close hook.
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(effect->events, Events{});
}

TEST_F(Vst3View, ReleasingAnAttachedViewClosesTheEditor)
{
  IPtr<IPlugView> view = CreateView();
  ASSERT_EQ(view->attached(&record, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultOk);
  view = nullptr;
  EXPECT_EQ(effect->events, (Events{"open", "close"}));
  EXPECT_EQ(record.editor, nullptr);
  EXPECT_EQ(effect->GetViewCount(), 0);
}

TEST_F(Vst3View, RemovingAViewLeavesTheEditorOpenInTheViewThatOpenedItSince)
{
  IPtr<IPlugView> first = CreateView();
  IPtr<IPlugView> second = CreateView();
  IOffscreenParent secondRecord = Record();
  ASSERT_EQ(first->attached(&record, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultOk);
  ASSERT_EQ(second->attached(&secondRecord, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultOk);
  EXPECT_EQ(record.editor, nullptr);
  first->removed();
  EXPECT_NE(secondRecord.editor, nullptr);
  EXPECT_TRUE(effect->offscreen->WindowIsOpen());
  second->removed();
  EXPECT_EQ(secondRecord.editor, nullptr);
}

TEST_F(Vst3View, OnSizeWithoutAResizeRequestOnlyStoresTheSize)
{
  IPtr<IPlugView> view = CreateView();
  ViewRect size(0, 0, 640, 400);
  EXPECT_EQ(view->onSize(&size), kResultOk);
  EXPECT_EQ(view->onSize(nullptr), kResultOk);
  EXPECT_EQ(effect->events, Events{});
  EXPECT_TRUE(SameSize(static_cast<IEffectVST3View*>(view.get())->getRect(), 640, 400));
}

TEST_F(Vst3View, AResizeRequestGoesToTheFrameAndItsAnswerReachesThePluginOnce)
{
  IPtr<IPlugView> view = CreateView();
  // Without a frame there is no one to ask.
  effect->ResizeEditor(320, 200);

  PlugFrame frame;
  EXPECT_EQ(view->setFrame(&frame), kResultOk);
  effect->ResizeEditor(320, 200);
  ASSERT_EQ(frame.requests.size(), 1u);
  EXPECT_EQ(frame.requests[0].view, view.get());
  EXPECT_TRUE(SameSize(frame.requests[0].size, 320, 200));
  EXPECT_EQ(effect->events, Events{});

  ViewRect answer(0, 0, 320, 200);
  view->onSize(&answer);
  view->onSize(&answer);
  EXPECT_EQ(effect->events, (Events{"resized"}));

  // A host may answer before resizeView returns.
  frame.answerAtOnce = true;
  effect->ResizeEditor(300, 100);
  EXPECT_EQ(effect->events, (Events{"resized", "resized"}));

  // A refused request leaves nothing pending.
  frame.answerAtOnce = false;
  frame.result = kResultFalse;
  effect->ResizeEditor(300, 100);
  view->onSize(&answer);
  EXPECT_EQ(effect->events, (Events{"resized", "resized"}));
  view->setFrame(nullptr);
}

TEST_F(Vst3View, TwoViewsAreKeptAndTheFirstCarriesResizeRequests)
{
  IPtr<IPlugView> first = CreateView();
  IPtr<IPlugView> second = CreateView();
  EXPECT_EQ(effect->GetViewCount(), 2);
  PlugFrame firstFrame;
  PlugFrame secondFrame;
  first->setFrame(&firstFrame);
  second->setFrame(&secondFrame);

  effect->ResizeEditor(320, 200);
  EXPECT_EQ(firstFrame.requests.size(), 1u);
  EXPECT_EQ(secondFrame.requests.size(), 0u);

  first = nullptr;
  EXPECT_EQ(effect->GetViewCount(), 1);
  effect->ResizeEditor(320, 200);
  EXPECT_EQ(firstFrame.requests.size(), 1u);
  EXPECT_EQ(secondFrame.requests.size(), 1u);
  EXPECT_EQ(secondFrame.requests[0].view, second.get());
}

TEST_F(Vst3View, ReleasingTheLastViewRestoresThePluginsReferenceCount)
{
  const int32 before = effect->getRefCount();
  IPtr<IPlugView> first = CreateView();
  IPtr<IPlugView> second = CreateView();
  EXPECT_EQ(effect->getRefCount(), before + 2);
  // Attaching and removing leave the counts alone.
  first->attached(&record, IOFFSCREEN_PARENT_PLATFORM_TYPE);
  first->removed();
  EXPECT_EQ(effect->getRefCount(), before + 2);
  first = nullptr;
  second = nullptr;
  EXPECT_EQ(effect->getRefCount(), before);
  EXPECT_EQ(effect->GetViewCount(), 0);
}

TEST_F(Vst3View, TerminateForgetsTheViews)
{
  IPtr<IPlugView> view = CreateView();
  PlugFrame frame;
  view->setFrame(&frame);
  effect->terminate();
  EXPECT_EQ(effect->GetViewCount(), 0);
  effect->ResizeEditor(320, 200);
  EXPECT_TRUE(frame.requests.empty());
  view->setFrame(nullptr);
}

TEST_F(Vst3View, ARightClickOnABoundControlOpensTheHostsParameterMenu)
{
  // No view yet: no menu.
  effect->ShowHostParamMenu(1, 10, 20);
  EXPECT_TRUE(handler.menuRequests.empty());

  IPtr<IPlugView> view = CreateView();
  ASSERT_EQ(view->attached(&record, IOFFSCREEN_PARENT_PLATFORM_TYPE), kResultOk);
  record.mouseDown(&record, 250, 307, kIOffscreenRightButton);
  record.mouseUp(&record, 250, 307, kIOffscreenRightButton);
  ASSERT_EQ(handler.menuRequests.size(), 1u);
  EXPECT_EQ(handler.menuRequests[0].view, view.get());
  EXPECT_EQ(handler.menuRequests[0].id, 1u);
  EXPECT_EQ(handler.menu.popups, (Events{"250 307"}));
  EXPECT_EQ(handler.menu.refs, 1u) << "the plug-in releases the menu it was given";
  // The right click asks the host instead of pressing the switch.
  EXPECT_DOUBLE_EQ(effect->getParamNormalized(1), 0.0);

  handler.offersMenu = false;
  effect->ShowHostParamMenu(1, 10, 20);
  EXPECT_EQ(handler.menuRequests.size(), 2u);
  EXPECT_EQ(handler.menu.popups.size(), 1u);
  view->removed();
}

TEST_F(Vst3View, AHandlerWithoutContextMenusIsNotAsked)
{
  pluginhost::ComponentHandler plainHandler;
  ASSERT_EQ(effect->setComponentHandler(&plainHandler), kResultOk);
  IPtr<IPlugView> view = CreateView();
  effect->ShowHostParamMenu(1, 10, 20);
  EXPECT_TRUE(handler.menuRequests.empty());
  effect->setComponentHandler(&handler);
}

}  // namespace
}  // namespace vst3test
