#include "vst3/CPluginFactory.h"

#include "tests/vst3/Vst3TestData.h"

#include "base/source/fobject.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Steinberg;

namespace
{
const TUID kClassId = INLINE_UID(0x11223344, 0x55667788, 0x99AABBCC, 0xDDEEFF00);

// Counts live instances so the tests see what the factory releases.
class Counted : public FObject
{
public:
  Counted() { ++alive; }
  ~Counted() override { --alive; }
  static int alive;
};
int Counted::alive = 0;

FUnknown* CreateCounted(void*)
{
  return static_cast<FObject*>(new Counted);
}

FUnknown* CreateNothing(void*)
{
  return nullptr;
}

PClassInfo2 ClassInfo(const char* name)
{
  PClassInfo2 info(kClassId, PClassInfo::kManyInstances, "Audio Module Class", name, 2, "Fx", "",
                   "1.2.3", "VST 3.6.0");
  return info;
}

class Vst3Factory : public ::testing::Test
{
protected:
  void SetUp() override
  {
    factory = new CPluginFactory(PFactoryInfo("Maker", "https://maker.example",
                                              "mailto:a@maker.example", PFactoryInfo::kUnicode));
  }
  void TearDown() override
  {
    if (factory)
      factory->release();
  }
  CPluginFactory* factory = nullptr;
};

TEST_F(Vst3Factory, ClassInformationInEveryVersion)
{
  const PClassInfo2 registered = ClassInfo("Caf\xE9");
  ASSERT_TRUE(factory->registerClass(&registered, CreateCounted));
  EXPECT_TRUE(factory->isClassRegistered(FUID::fromTUID(kClassId)));
  EXPECT_EQ(factory->countClasses(), 1);

  PClassInfo info1;
  ASSERT_EQ(factory->getClassInfo(0, &info1), kResultOk);
  EXPECT_EQ(std::memcmp(info1.cid, kClassId, sizeof(TUID)), 0);
  EXPECT_STREQ(info1.category, "Audio Module Class");
  PClassInfo2 info2;
  ASSERT_EQ(factory->getClassInfo2(0, &info2), kResultOk);
  EXPECT_STREQ(info2.version, "1.2.3");
  EXPECT_EQ(info2.classFlags, 2u);
  PClassInfoW infoW;
  ASSERT_EQ(factory->getClassInfoUnicode(0, &infoW), kResultOk);
  EXPECT_EQ(vst3test::Text(infoW.name), u"Caf\u00E9");
  EXPECT_EQ(vst3test::Text(infoW.sdkVersion), u"VST 3.6.0");

  EXPECT_EQ(factory->getClassInfo(1, &info1), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo2(-1, &info2), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfoUnicode(1, &infoW), kInvalidArgument);
  EXPECT_EQ(factory->setHostContext(nullptr), kNotImplemented);

  PFactoryInfo info;
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "Maker");
  EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
}

TEST_F(Vst3Factory, CreateInstanceHandsOverExactlyOneReference)
{
  const PClassInfo2 registered = ClassInfo("Counted");
  factory->registerClass(&registered, CreateCounted);

  void* obj = nullptr;
  ASSERT_EQ(factory->createInstance(reinterpret_cast<FIDString>(kClassId),
                                    reinterpret_cast<FIDString>(FUnknown::iid.toTUID()), &obj),
            kResultOk);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(Counted::alive, 1);
  EXPECT_EQ(static_cast<FUnknown*>(obj)->release(), 0u);
  EXPECT_EQ(Counted::alive, 0);

  // An interface the object lacks: it is released, nothing is returned.
  obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(reinterpret_cast<FIDString>(kClassId),
                                    reinterpret_cast<FIDString>(IPluginFactory::iid.toTUID()),
                                    &obj),
            kNoInterface);
  EXPECT_EQ(obj, nullptr);
  EXPECT_EQ(Counted::alive, 0);

  const TUID unknown = {};
  EXPECT_EQ(factory->createInstance(reinterpret_cast<FIDString>(unknown),
                                    reinterpret_cast<FIDString>(FUnknown::iid.toTUID()), &obj),
            kNoInterface);
  EXPECT_EQ(obj, nullptr);
}

TEST_F(Vst3Factory, FailedCreationIsNoInterface)
{
  const PClassInfo2 registered = ClassInfo("Nothing");
  factory->registerClass(&registered, CreateNothing);
  void* obj = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(reinterpret_cast<FIDString>(kClassId),
                                    reinterpret_cast<FIDString>(FUnknown::iid.toTUID()), &obj),
            kNoInterface);
  EXPECT_EQ(obj, nullptr);
}

TEST_F(Vst3Factory, DestroyingTheSingletonClearsIt)
{
  gPluginFactory = factory;
  factory->addRef();
  factory->release();
  EXPECT_EQ(gPluginFactory, factory);  // still referenced by the fixture
  factory->release();
  factory = nullptr;
  EXPECT_EQ(gPluginFactory, nullptr);
}
}  // namespace
