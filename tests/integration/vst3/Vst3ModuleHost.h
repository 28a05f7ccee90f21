#pragma once

// Plays a VST3 host against the built Quillwave module: loads the bundle's
// shared object once per process through its real entry points and creates
// plug-in instances from its factory. HOME points at a private temporary
// folder for the whole test run, so the plug-in never sees the user's files.

#include "tests/vst3/Vst3TestData.h"
#include "tools/pluginhost/Vst3HostObjects.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

namespace vst3test
{

class Vst3Module
{
public:
  // The loaded module; a test fails fatally when it cannot be loaded.
  static Vst3Module& Get();
  Vst3Module(const Vst3Module&) = delete;
  Vst3Module& operator=(const Vst3Module&) = delete;

  void* Symbol(const char* name) const;
  // A new factory reference from GetPluginFactory.
  Steinberg::IPluginFactory* Factory() const;

private:
  Vst3Module();
  ~Vst3Module();
  void* handle = nullptr;
};

// One plug-in instance as a host holds it: created from the module's factory
// as an IComponent, initialised, with its processor and controller interfaces.
class Vst3Instance
{
public:
  Vst3Instance();
  ~Vst3Instance();
  Vst3Instance(const Vst3Instance&) = delete;
  Vst3Instance& operator=(const Vst3Instance&) = delete;

  // setupProcessing, bus activation (the output bus as asked) and setActive.
  void Start(Steinberg::int32 sampleSize, double sampleRate, Steinberg::int32 maxBlock,
             bool activateOutput = true);

  Steinberg::IPtr<Steinberg::Vst::IComponent> component;
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
  Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
  Steinberg::IPtr<Steinberg::Vst::IUnitInfo> units;

private:
  pluginhost::HostApplication host{u"Quillwave Tests"};
  bool active = false;
};

}  // namespace vst3test
