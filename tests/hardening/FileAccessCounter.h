#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Counts the calls that open, create or examine a file by name (open, openat,
// fopen, stat and their 64-bit forms) made anywhere in the process while
// counting is on, the plug-in modules the program loads included: this
// program defines those functions itself and passes each call on to the C
// library.
class FileAccessCounter
{
public:
  // Starts counting from 0; the destructor stops.
  FileAccessCounter();
  ~FileAccessCounter();

  FileAccessCounter(const FileAccessCounter&) = delete;
  FileAccessCounter& operator=(const FileAccessCounter&) = delete;

  int64_t Count() const;
  // The paths of the counted calls, for the failure message.
  std::vector<std::string> Paths() const;
};
