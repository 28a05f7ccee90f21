#include "tests/integration/vst3/Vst3ModuleHost.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace vst3test
{
IPluginFactory* Vst3Module::Factory() const
{
  auto* get = reinterpret_cast<GetFactoryProc>(Symbol("GetPluginFactory"));
  return get ? get() : nullptr;
}

Vst3Instance::Vst3Instance()
{
  IPtr<IPluginFactory> factory = owned(Vst3Module::Get().Factory());
  if (!factory)
  {
    ADD_FAILURE() << "the module has no factory";
    return;
  }
  PClassInfo info;
  EXPECT_EQ(factory->getClassInfo(0, &info), kResultOk);
  void* obj = nullptr;
  EXPECT_EQ(factory->createInstance(info.cid, IComponent::iid, &obj), kResultOk);
  component = owned(static_cast<IComponent*>(obj));
  if (!component)
    return;
  EXPECT_EQ(component->initialize(&host), kResultOk);
  processor = FUnknownPtr<IAudioProcessor>(component);
  controller = FUnknownPtr<IEditController>(component);
  units = FUnknownPtr<IUnitInfo>(component);
  EXPECT_TRUE(processor && controller && units);
}

Vst3Instance::~Vst3Instance()
{
  if (!component)
    return;
  if (active)
    component->setActive(false);
  component->terminate();
}

void Vst3Instance::Start(int32 sampleSize, double sampleRate, int32 maxBlock, bool activateOutput)
{
  ProcessSetup setup{kRealtime, sampleSize, maxBlock, sampleRate};
  ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
  component->activateBus(kAudio, kInput, 0, true);
  component->activateBus(kAudio, kOutput, 0, activateOutput);
  component->activateBus(kEvent, kInput, 0, true);
  ASSERT_EQ(component->setActive(true), kResultOk);
  active = true;
}

}  // namespace vst3test
