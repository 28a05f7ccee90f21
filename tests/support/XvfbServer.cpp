#include "tests/support/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

XvfbServer::XvfbServer()
{
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0)
  {
    error = "pipe failed";
    return;
  }
  pid = fork();
  if (pid == 0)
  {
    // The write end as descriptor 3 without close-on-exec; everything else closes.
    dup2(ends[1], 3);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 1);
    dup2(quiet, 2);
    execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ends[1]);
  if (pid < 0)
  {
    close(ends[0]);
    error = "fork failed";
    return;
  }
  // The number arrives as a line once the server is ready.
  std::string number;
  pollfd reader{ends[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos && poll(&reader, 1, 10000) > 0)
  {
    char buffer[16];
    const ssize_t got = read(ends[0], buffer, sizeof buffer);
    if (got <= 0)
      break;
    number.append(buffer, static_cast<size_t>(got));
  }
  close(ends[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == '\r'))
    number.pop_back();
  if (number.empty())
  {
    error = "Xvfb did not report a display (is the xvfb package installed?)";
    return;
  }
  display = ":" + number;
  setenv("DISPLAY", display.c_str(), 1);
}

XvfbServer::~XvfbServer()
{
  if (pid <= 0)
    return;
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}
