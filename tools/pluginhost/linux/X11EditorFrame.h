#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

// The frame a Linux host gives an editor view it opens in an X11 window: it grants every
// resize and offers the host's run loop (Steinberg::Linux::IRunLoop), which watches the
// descriptors the view registers with poll and runs its timers. Everything runs on the
// thread that calls Run, as a host's user-interface thread.
class X11EditorFrame : public Steinberg::IPlugFrame, public Steinberg::Linux::IRunLoop
{
public:
  using tresult = Steinberg::tresult;
  using TUID = Steinberg::TUID;

  tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;
  tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                          Steinberg::Linux::FileDescriptor fd) override;
  tresult PLUGIN_API unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
  tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                   Steinberg::Linux::TimerInterval milliseconds) override;
  tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

  // Polls the descriptors and runs the timers for `milliseconds`.
  void Run(int milliseconds);
  // What is registered now.
  size_t EventHandlerCount() const { return handlers.size(); }
  size_t TimerCount() const { return timers.size(); }
  // The period of the first timer, 0 without one.
  int64_t FirstTimerPeriodMs() const { return timers.empty() ? 0 : timers.front().periodMs; }
  // Timer calls made so far, to wait for a redraw.
  uint64_t TimerCalls() const { return timerCalls; }

private:
  struct Handler
  {
    Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
    int fd;
  };
  struct Timer
  {
    Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
    int64_t periodMs;
    int64_t dueMs;
  };

  std::vector<Handler> handlers;
  std::vector<Timer> timers;
  uint64_t timerCalls = 0;
};
