#include "tools/render/TemporaryOutput.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

TemporaryOutput::~TemporaryOutput()
{
  if (!temporaryPath.empty())
    std::remove(temporaryPath.c_str());
}

int TemporaryOutput::Create(const std::string& path, std::string& error)
{
  finalPath = path;
  const std::filesystem::path final(path);
  const std::filesystem::path pattern =
      final.parent_path() / ("." + final.filename().string() + ".partial-XXXXXX");
  const std::string text = pattern.string();
  std::vector<char> name(text.begin(), text.end());
  name.push_back('\0');
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0)
  {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return -1;
  }
  temporaryPath = name.data();
  // mkstemp makes the file private; the output gets the permissions of any new file.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
  return descriptor;
}

bool TemporaryOutput::Commit(std::string& error)
{
  if (std::rename(temporaryPath.c_str(), finalPath.c_str()) != 0)
  {
    error = "cannot write " + finalPath + ": " + std::strerror(errno);
    return false;
  }
  temporaryPath.clear();
  return true;
}
