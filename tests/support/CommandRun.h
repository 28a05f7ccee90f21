#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

// Runs a shell command as a user would, collecting what it prints on both streams and its
// exit code (-1 when it did not exit normally). Used by the tests of the command-line tools.
struct CommandRun
{
  int exitCode = -1;
  std::string output;
};

inline CommandRun RunCommand(const std::string& command)
{
  CommandRun result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe)
    return result;
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    result.output.append(buffer, n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}
