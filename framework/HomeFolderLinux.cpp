#include "framework/HomeFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace
{

// The home folder from the password database, for a process started without HOME.
std::string PasswordDatabaseHome()
{
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  if (size <= 0)
  {
    size = 16384;
  }
  std::vector<char> buffer(static_cast<size_t>(size));
  passwd record{};
  passwd* result = nullptr;
  if (getpwuid_r(getuid(), &record, buffer.data(), buffer.size(), &result) != 0 ||
      result == nullptr || result->pw_dir == nullptr)
  {
    return {};
  }
  return result->pw_dir;
}

}  // namespace

std::string HomeFolder()
{
  const char* home = std::getenv("HOME");
  return home != nullptr && home[0] != '\0' ? std::string(home) : PasswordDatabaseHome();
}
