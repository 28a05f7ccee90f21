#include "tools/pluginhost/linux/X11EditorFrame.h"

#include <poll.h>

#include <algorithm>
#include <chrono>

using namespace Steinberg;

namespace
{

int64_t NowMs()
{
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

tresult PLUGIN_API X11EditorFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
  if (!view || !newSize)
    return kInvalidArgument;
  return view->onSize(newSize);
}

tresult PLUGIN_API X11EditorFrame::registerEventHandler(Linux::IEventHandler* handler,
                                                        Linux::FileDescriptor fd)
{
  if (!handler || fd < 0)
    return kInvalidArgument;
  handlers.push_back({IPtr<Linux::IEventHandler>(handler), fd});
  return kResultOk;
}

tresult PLUGIN_API X11EditorFrame::unregisterEventHandler(Linux::IEventHandler* handler)
{
  const auto end = std::remove_if(handlers.begin(), handlers.end(),
                                  [&](const Handler& h) { return h.handler == handler; });
  if (end == handlers.end())
    return kResultFalse;
  handlers.erase(end, handlers.end());
  return kResultOk;
}

tresult PLUGIN_API X11EditorFrame::registerTimer(Linux::ITimerHandler* handler,
                                                 Linux::TimerInterval milliseconds)
{
  if (!handler || milliseconds == 0)
    return kInvalidArgument;
  const auto period = static_cast<int64_t>(milliseconds);
  timers.push_back({IPtr<Linux::ITimerHandler>(handler), period, NowMs() + period});
  return kResultOk;
}

tresult PLUGIN_API X11EditorFrame::unregisterTimer(Linux::ITimerHandler* handler)
{
  const auto end = std::remove_if(timers.begin(), timers.end(),
                                  [&](const Timer& t) { return t.handler == handler; });
  if (end == timers.end())
    return kResultFalse;
  timers.erase(end, timers.end());
  return kResultOk;
}

tresult PLUGIN_API X11EditorFrame::queryInterface(const TUID iid, void** obj)
{
  if (FUnknownPrivate::iidEqual(iid, IPlugFrame::iid) ||
      FUnknownPrivate::iidEqual(iid, FUnknown::iid))
  {
    *obj = static_cast<IPlugFrame*>(this);
    return kResultOk;
  }
  if (FUnknownPrivate::iidEqual(iid, Linux::IRunLoop::iid))
  {
    *obj = static_cast<Linux::IRunLoop*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

void X11EditorFrame::Run(int milliseconds)
{
  const int64_t end = NowMs() + milliseconds;
  while (true)
  {
    const int64_t now = NowMs();
    if (now >= end)
      return;
    int64_t wait = end - now;
    for (const Timer& timer : timers)
      wait = std::min(wait, std::max<int64_t>(0, timer.dueMs - now));
    std::vector<pollfd> fds;
    for (const Handler& h : handlers)
      fds.push_back({h.fd, POLLIN, 0});
    poll(fds.data(), fds.size(), static_cast<int>(wait));
    // Handlers may unregister themselves or others while they run, so each is looked up
    // again by a copy of its reference.
    for (const pollfd& fd : fds)
    {
      if (!(fd.revents & (POLLIN | POLLHUP | POLLERR)))
        continue;
      for (const Handler& h : std::vector<Handler>(handlers))
        if (h.fd == fd.fd)
          h.handler->onFDIsSet(fd.fd);
    }
    const int64_t after = NowMs();
    for (Timer timer : std::vector<Timer>(timers))
    {
      if (timer.dueMs > after)
        continue;
      for (Timer& t : timers)
        if (t.handler == timer.handler)
          t.dueMs = after + t.periodMs;
      ++timerCalls;
      timer.handler->onTimer();
    }
  }
}
