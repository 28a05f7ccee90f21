#include "tests/integration/vst3/Vst3ModuleHost.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3test::Vst3Module;

namespace
{
TEST(Vst3Module, ExportsTheLoadAndUnloadEntryPoints)
{
  for (const char* name : {"InitDll", "ExitDll", "ModuleExit"})
  {
    auto* entry = reinterpret_cast<bool (*)()>(Vst3Module::Get().Symbol(name));
    ASSERT_NE(entry, nullptr) << name;
  }
  EXPECT_NE(Vst3Module::Get().Symbol("ModuleEntry"), nullptr);
  EXPECT_TRUE(reinterpret_cast<bool (*)()>(Vst3Module::Get().Symbol("InitDll"))());
  EXPECT_TRUE(reinterpret_cast<bool (*)()>(Vst3Module::Get().Symbol("ExitDll"))());
}

TEST(Vst3Module, FactoryIsOneSharedObjectWhileReferenced)
{
  IPluginFactory* first = Vst3Module::Get().Factory();
  IPluginFactory* second = Vst3Module::Get().Factory();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(second->release(), 1u);  // the second call added a reference
  EXPECT_EQ(first->release(), 0u);

  // Once released, a new request builds a working factory again.
  IPtr<IPluginFactory> again = owned(Vst3Module::Get().Factory());
  ASSERT_TRUE(again);
  EXPECT_EQ(again->countClasses(), 1);
}

TEST(Vst3Module, FactoryDescribesTheQuillwaveEffect)
{
  IPtr<IPluginFactory> factory = owned(Vst3Module::Get().Factory());
  PFactoryInfo vendor;
  ASSERT_EQ(factory->getFactoryInfo(&vendor), kResultOk);
  EXPECT_STREQ(vendor.vendor, "PleoAudio");
  EXPECT_EQ(vendor.flags, 0x10);

  FUnknownPtr<IPluginFactory2> factory2(factory);
  ASSERT_TRUE(factory2);
  PClassInfo2 info;
  ASSERT_EQ(factory2->getClassInfo2(0, &info), kResultOk);
  EXPECT_EQ(info.cardinality, 0x7FFFFFFF);
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_STREQ(info.name, "Quillwave");
  EXPECT_EQ(info.classFlags, 2u);
  EXPECT_STREQ(info.subCategories, "Fx|Modulation");
  EXPECT_STREQ(info.vendor, "PleoAudio");
  EXPECT_STREQ(info.version, "1.0.2");
  EXPECT_STREQ(info.sdkVersion, "VST 3.6.0");
  EXPECT_EQ(factory2->getClassInfo2(1, &info), kInvalidArgument);

  // The GUID's logical value, the same text on every platform: data1, data2,
  // data3, then "PlvxPqw6".
  PClassInfo2 first;
  factory2->getClassInfo2(0, &first);
  char text[33] = {};
  FUID::fromTUID(first.cid).toString(text);
  EXPECT_STREQ(text, "F2AEE70D00DE4F4E506C767850717736");
  EXPECT_EQ(std::memcmp(first.cid + 8, "PlvxPqw6", 8), 0);
#if COM_COMPATIBLE
  const unsigned char com[8] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F};
  EXPECT_EQ(std::memcmp(first.cid, com, 8), 0);
#endif

  FUnknownPtr<IPluginFactory3> factory3(factory);
  ASSERT_TRUE(factory3);
  PClassInfoW wide;
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &wide), kResultOk);
  EXPECT_EQ(vst3test::Text(wide.name), u"Quillwave");
  EXPECT_EQ(vst3test::Text(wide.version), u"1.0.2");
  EXPECT_EQ(factory3->setHostContext(nullptr), kNotImplemented);
}

TEST(Vst3Module, CreateInstanceGivesOneObjectBehindEveryInterface)
{
  IPtr<IPluginFactory> factory = owned(Vst3Module::Get().Factory());
  PClassInfo info;
  ASSERT_EQ(factory->getClassInfo(0, &info), kResultOk);

  void* component = nullptr;
  ASSERT_EQ(factory->createInstance(info.cid, IComponent::iid, &component), kResultOk);
  void* controller = nullptr;
  ASSERT_EQ(static_cast<IComponent*>(component)->queryInterface(IEditController::iid, &controller),
            kResultOk);
  void* fromController = nullptr;
  ASSERT_EQ(
      static_cast<IEditController*>(controller)->queryInterface(IComponent::iid, &fromController),
      kResultOk);
  EXPECT_EQ(fromController, component);
  static_cast<IComponent*>(fromController)->release();
  static_cast<IEditController*>(controller)->release();
  EXPECT_EQ(static_cast<IComponent*>(component)->release(), 0u);

  void* direct = nullptr;
  ASSERT_EQ(factory->createInstance(info.cid, IEditController::iid, &direct), kResultOk);
  EXPECT_EQ(static_cast<IEditController*>(direct)->release(), 0u);

  const TUID zero = {};
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(zero, IComponent::iid, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);
}
}  // namespace
