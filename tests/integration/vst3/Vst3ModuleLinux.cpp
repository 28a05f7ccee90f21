// Loading the module on Linux: dlopen of the bundle's shared object, and the
// private HOME the run uses.
#include "tests/integration/vst3/Vst3ModuleHost.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace vst3test
{
namespace
{
// Gives the run a private HOME before any plug-in exists, and removes it after.
class PrivateHome : public ::testing::Environment
{
public:
  void SetUp() override
  {
    char pattern[] = "/tmp/quillwave-vst3-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    setenv("HOME", pattern, 1);
  }
  void TearDown() override
  {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

private:
  std::string folder;
};

[[maybe_unused]] const auto* const privateHome =
    ::testing::AddGlobalTestEnvironment(new PrivateHome);
}  // namespace

Vst3Module& Vst3Module::Get()
{
  static Vst3Module module;
  return module;
}

Vst3Module::Vst3Module()
{
  handle = dlopen(QUILLWAVE_VST3_MODULE, RTLD_NOW | RTLD_LOCAL);
  if (!handle)
  {
    ADD_FAILURE() << "cannot load " << QUILLWAVE_VST3_MODULE << ": " << dlerror();
  }
  // A Linux host announces the load before it asks for the factory.
  if (auto* entry = reinterpret_cast<bool (*)(void*)>(Symbol("ModuleEntry")))
  {
    EXPECT_TRUE(entry(handle));
  }
}

Vst3Module::~Vst3Module()
{
  if (!handle)
    return;
  // As a host unloads: ModuleExit, then the library goes.
  if (auto* exit = reinterpret_cast<bool (*)()>(Symbol("ModuleExit")))
    exit();
  dlclose(handle);
}

void* Vst3Module::Symbol(const char* name) const
{
  return handle ? dlsym(handle, name) : nullptr;
}

}  // namespace vst3test
