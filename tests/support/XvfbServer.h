#pragma once

#include <string>
#include <sys/types.h>

// A private X server for the tests: Xvfb started with -displayfd, so that it picks a free
// display number and reports it once it accepts connections. DISPLAY points at it while it
// runs. Stopped (and waited for) on destruction.
class XvfbServer
{
public:
  XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  ~XvfbServer();

  bool Running() const { return pid > 0 && !display.empty(); }
  const std::string& Display() const { return display; }
  const std::string& Error() const { return error; }

private:
  pid_t pid = -1;
  std::string display;
  std::string error;
};
