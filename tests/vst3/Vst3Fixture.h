#pragma once

#include "tests/vst3/TestEffect.h"
#include "tests/vst3/Vst3TestData.h"
#include "tools/pluginhost/Vst3HostObjects.h"

#include <gtest/gtest.h>

namespace vst3test
{

// A test plug-in initialised by a host named "Test Host", with a component
// handler attached.
class Vst3Fixture : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_EQ(effect->initialize(&host), Steinberg::kResultOk);
    ASSERT_EQ(effect->setComponentHandler(&handler), Steinberg::kResultOk);
  }

  void TearDown() override { effect->terminate(); }

  // setupProcessing with the given sample size, block size and rate, then
  // every bus activated (unless told otherwise) and the processor started.
  void Prepare(Steinberg::int32 sampleSize, Steinberg::int32 maxBlock = 512,
               bool activateOutput = true)
  {
    Steinberg::Vst::ProcessSetup setup{Steinberg::Vst::kRealtime, sampleSize, maxBlock, 48000.0};
    ASSERT_EQ(effect->setupProcessing(setup), Steinberg::kResultOk);
    effect->activateBus(Steinberg::Vst::kAudio, Steinberg::Vst::kInput, 0, true);
    effect->activateBus(Steinberg::Vst::kAudio, Steinberg::Vst::kOutput, 0, activateOutput);
    effect->activateBus(Steinberg::Vst::kEvent, Steinberg::Vst::kInput, 0, true);
    ASSERT_EQ(effect->setActive(true), Steinberg::kResultOk);
  }

  pluginhost::HostApplication host{u"Test Host"};
  pluginhost::ComponentHandler handler;
  Steinberg::IPtr<TestEffect> effect = Steinberg::owned(new TestEffect());
};

}  // namespace vst3test
