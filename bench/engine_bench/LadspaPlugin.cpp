#include "bench/engine_bench/LadspaPlugin.h"

#include <dlfcn.h>

#include <cmath>
#include <cstring>

LadspaPlugin::LadspaPlugin(const std::string& path, const std::string& label,
                           unsigned long sampleRate, unsigned long maxFrames)
{
  library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr)
  {
    error_ = dlerror();
    return;
  }
  const auto entry =
      reinterpret_cast<LADSPA_Descriptor_Function>(dlsym(library_, "ladspa_descriptor"));
  if (entry == nullptr)
  {
    error_ = path + " has no ladspa_descriptor";
    return;
  }
  for (unsigned long index = 0; const LADSPA_Descriptor* candidate = entry(index); ++index)
  {
    if (label == candidate->Label)
    {
      descriptor_ = candidate;
      break;
    }
  }
  if (descriptor_ == nullptr)
  {
    error_ = "no plug-in labelled " + label + " in " + path;
    return;
  }
  for (auto* buffers : {inputs_, outputs_})
  {
    buffers[0].assign(maxFrames, 0.0f);
    buffers[1].assign(maxFrames, 0.0f);
  }
  controls_.assign(descriptor_->PortCount, 0.0f);
  instance_ = descriptor_->instantiate(descriptor_, sampleRate);
  if (instance_ == nullptr)
  {
    error_ = "instantiation failed";
    return;
  }
  ConnectPorts(sampleRate);
  if (descriptor_->activate != nullptr)
  {
    descriptor_->activate(instance_);
  }
  active_ = true;
}

LadspaPlugin::~LadspaPlugin()
{
  if (instance_ != nullptr)
  {
    if (active_ && descriptor_->deactivate != nullptr)
    {
      descriptor_->deactivate(instance_);
    }
    descriptor_->cleanup(instance_);
  }
  if (library_ != nullptr)
  {
    dlclose(library_);
  }
}

void LadspaPlugin::ConnectPorts(unsigned long sampleRate)
{
  for (unsigned long port = 0; port < descriptor_->PortCount; ++port)
  {
    const LADSPA_PortDescriptor kind = descriptor_->PortDescriptors[port];
    LADSPA_Data* location = nullptr;
    if ((kind & kLadspaPortControl) != 0)
    {
      controls_[port] = DefaultValue(port, sampleRate);
      location = &controls_[port];
    }
    else if ((kind & kLadspaPortInput) != 0)
    {
      location = inputs_[audioInputs_ < 2 ? audioInputs_ : 1].data();
      ++audioInputs_;
    }
    else
    {
      location = outputs_[audioOutputs_ < 2 ? audioOutputs_ : 1].data();
      ++audioOutputs_;
    }
    descriptor_->connect_port(instance_, port, location);
  }
}

float LadspaPlugin::DefaultValue(unsigned long port, unsigned long sampleRate) const
{
  const LADSPA_PortRangeHint& hint = descriptor_->PortRangeHints[port];
  const int flags = hint.HintDescriptor;
  const float scale = (flags & kLadspaHintSampleRate) != 0 ? static_cast<float>(sampleRate) : 1.0f;
  const float low = hint.LowerBound * scale;
  const float high = hint.UpperBound * scale;
  const bool logarithmic = (flags & kLadspaHintLogarithmic) != 0 && low > 0.0f && high > 0.0f;
  const auto between = [&](float weight) {
    return logarithmic ? std::exp(std::log(low) * (1.0f - weight) + std::log(high) * weight)
                       : low * (1.0f - weight) + high * weight;
  };
  switch (flags & kLadspaHintDefaultMask)
  {
    case kLadspaHintDefaultMinimum:
      return low;
    case kLadspaHintDefaultLow:
      return between(0.25f);
    case kLadspaHintDefaultMiddle:
      return between(0.5f);
    case kLadspaHintDefaultHigh:
      return between(0.75f);
    case kLadspaHintDefaultMaximum:
      return high;
    case kLadspaHintDefault0:
      return 0.0f;
    case kLadspaHintDefault1:
      return 1.0f;
    case kLadspaHintDefault100:
      return 100.0f;
    case kLadspaHintDefault440:
      return 440.0f;
    default:
      break;
  }
  if ((flags & kLadspaHintBoundedBelow) != 0 && (flags & kLadspaHintBoundedAbove) != 0)
  {
    return between(0.5f);
  }
  return (flags & kLadspaHintBoundedBelow) != 0 ? low : 0.0f;
}
