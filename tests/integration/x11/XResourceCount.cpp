#include "tests/integration/x11/XResourceCount.h"

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>

#include <filesystem>

namespace
{

size_t OpenDescriptors()
{
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    ++count;
  return count;
}

}  // namespace

XResourceCount CountXResources()
{
  XResourceCount count;
  count.descriptors = OpenDescriptors();
  Display* display = XOpenDisplay(nullptr);
  if (!display)
    return count;
  XResClient* clients = nullptr;
  if (XResQueryClients(display, &count.clients, &clients) && clients)
  {
    for (int c = 0; c < count.clients; ++c)
    {
      int types = 0;
      XResType* perType = nullptr;
      if (XResQueryClientResources(display, clients[c].resource_base, &types, &perType) && perType)
      {
        for (int t = 0; t < types; ++t)
          count.resources += perType[t].count;
        XFree(perType);
      }
    }
    XFree(clients);
  }
  // The counting connection itself.
  count.clients -= 1;
  XCloseDisplay(display);
  return count;
}
