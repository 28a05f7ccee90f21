// The editor's X11 window on the host's IRunLoop: an event handler on the
// editor's X connection and a timer at the editor's frame rate.
#include "vst3/Vst3EditorRunLoop.h"

#include "framework/linux/IEditorEventSource.h"

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;

namespace
{

// Both handlers forward to the editor until they are cut off. They are
// reference counted: the host may keep (and even call) them after they were
// unregistered, so they must outlive the editor's connection to them.
class EditorEventHandler : public FObject, public Linux::IEventHandler
{
public:
  explicit EditorEventHandler(IEditorEventSource* source) : source(source) {}
  void CutOff() { source = nullptr; }

  void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override
  {
    if (source)
      source->ProcessEvents();
  }

  OBJ_METHODS(EditorEventHandler, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Linux::IEventHandler)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

private:
  IEditorEventSource* source;
};

class EditorTimerHandler : public FObject, public Linux::ITimerHandler
{
public:
  explicit EditorTimerHandler(IEditorEventSource* source) : source(source) {}
  void CutOff() { source = nullptr; }

  void PLUGIN_API onTimer() override
  {
    if (source)
      source->TimerTick();
  }

  OBJ_METHODS(EditorTimerHandler, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Linux::ITimerHandler)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

private:
  IEditorEventSource* source;
};

class RunLoopLink : public Vst3EditorRunLoop
{
public:
  RunLoopLink(IPtr<Linux::IRunLoop> runLoop, IEditorEventSource& source)
      : runLoop(std::move(runLoop)),
        events(owned(new EditorEventHandler(&source))),
        timer(owned(new EditorTimerHandler(&source)))
  {
  }

  bool Register(IEditorEventSource& source)
  {
    eventsRegistered = runLoop->registerEventHandler(events, source.EventDescriptor()) == kResultOk;
    const auto period = static_cast<Linux::TimerInterval>(source.TimerPeriodMs());
    timerRegistered = runLoop->registerTimer(timer, period) == kResultOk;
    return eventsRegistered && timerRegistered;
  }

  ~RunLoopLink() override
  {
    events->CutOff();
    timer->CutOff();
    if (eventsRegistered)
      runLoop->unregisterEventHandler(events);
    if (timerRegistered)
      runLoop->unregisterTimer(timer);
  }

private:
  IPtr<Linux::IRunLoop> runLoop;
  IPtr<EditorEventHandler> events;
  IPtr<EditorTimerHandler> timer;
  bool eventsRegistered = false;
  bool timerRegistered = false;
};

}  // namespace

bool Vst3EditorRunLoop::Connect(IPlugFrame* frame, IPluginEditor& editor,
                                std::unique_ptr<Vst3EditorRunLoop>& link)
{
  link.reset();
  IEditorEventSource* const source = EditorEventSource(&editor);
  // An off-screen editor is driven through its parent record instead.
  if (!source || source->EventDescriptor() < 0)
    return true;
  FUnknownPtr<Linux::IRunLoop> runLoop(frame);
  if (!runLoop)
    return false;
  auto connected = std::make_unique<RunLoopLink>(IPtr<Linux::IRunLoop>(runLoop.get()), *source);
  if (!connected->Register(*source))
    return false;
  link = std::move(connected);
  return true;
}
