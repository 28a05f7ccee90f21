// The version both built modules report to hosts is the release version the build defines
// once (QuillwaveVersion.h, generated from the project version), the one the installer, the
// Debian package and the Windows version resources carry.
#include "QuillwaveVersion.h"
#include "tests/vst2/TestHost.h"
#include "tools/pluginhost/SharedLibrary.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <gtest/gtest.h>

#include <string>

using namespace Steinberg;

namespace
{

void Open(SharedLibrary& library, const char* path)
{
  std::string error;
  ASSERT_TRUE(library.Open(path, error)) << error;
}

TEST(ReleaseVersion, TheVst3ClassCarriesIt)
{
  SharedLibrary library;
  ASSERT_NO_FATAL_FAILURE(Open(library, QUILLWAVE_VST3_MODULE));
  if (auto* entry = reinterpret_cast<bool (*)(void*)>(library.Symbol("ModuleEntry")))
  {
    ASSERT_TRUE(entry(library.NativeHandle()));
  }
  auto* get = reinterpret_cast<GetFactoryProc>(library.Symbol("GetPluginFactory"));
  ASSERT_NE(get, nullptr);
  {
    IPtr<IPluginFactory> factory = owned(get());
    FUnknownPtr<IPluginFactory2> factory2(factory);
    ASSERT_TRUE(factory2);
    PClassInfo2 info;
    ASSERT_EQ(factory2->getClassInfo2(0, &info), kResultOk);
    EXPECT_STREQ(info.version, QUILLWAVE_VERSION_STRING);
  }
  if (auto* exit = reinterpret_cast<bool (*)()>(library.Symbol("ModuleExit")))
  {
    exit();
  }
}

TEST(ReleaseVersion, TheVst2EffectCarriesItInDecimalForm)
{
  SharedLibrary library;
  ASSERT_NO_FATAL_FAILURE(Open(library, QUILLWAVE_VST2_MODULE));
  using EntryPoint = AEffect* (*)(audioMasterCallback);
  auto* main = reinterpret_cast<EntryPoint>(library.Symbol("VSTPluginMain"));
  ASSERT_NE(main, nullptr);
  TestHost host;
  AEffect* effect = main(&TestHost::Callback);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->version, kQuillwaveVersionDecimal);
  EXPECT_EQ(effect->dispatcher(effect, effGetVendorVersion, 0, 0, nullptr, 0.0f),
            kQuillwaveVersionDecimal);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace
