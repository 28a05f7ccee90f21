#pragma once

#include <string>

// A file written under a temporary name in the folder of its final name and renamed to that
// name only when it is complete, so an interrupted or failed run leaves nothing under the
// final name (and whatever was there before stays). Until Commit, the temporary file is
// removed when this object goes.
class TemporaryOutput
{
public:
  TemporaryOutput() = default;
  ~TemporaryOutput();
  TemporaryOutput(const TemporaryOutput&) = delete;
  TemporaryOutput& operator=(const TemporaryOutput&) = delete;

  // Creates the temporary file beside `finalPath`; returns its open descriptor (the caller
  // owns it) or -1 with a reason.
  int Create(const std::string& finalPath, std::string& error);
  // Moves the finished file to its final name.
  bool Commit(std::string& error);

private:
  std::string finalPath;
  std::string temporaryPath;
};
