#include "tests/fuzz/FuzzHome.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace
{
class PrivateHome
{
public:
  PrivateHome()
  {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quillwave-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
      std::abort();
    path = pattern;
    setenv("HOME", path.c_str(), 1);
  }

  ~PrivateHome()
  {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }

  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

  std::string path;
};
}  // namespace

const std::string& FuzzPrivateHome()
{
  static const PrivateHome home;
  return home.path;
}
