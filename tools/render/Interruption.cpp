#include "tools/render/Interruption.h"

#include <csignal>

namespace
{

volatile std::sig_atomic_t interrupted = 0;

extern "C" void NoteInterruption(int)
{
  interrupted = 1;
}

}  // namespace

void CatchInterruptions()
{
  struct sigaction action
  {
  };
  action.sa_handler = NoteInterruption;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted()
{
  return interrupted != 0;
}
