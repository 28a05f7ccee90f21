#pragma once

#include "bench/engine_bench/LadspaInterface.h"

#include <string>
#include <vector>

// One activated instance of a LADSPA plug-in, loaded from its shared object
// with dlopen. Control ports take their declared defaults; audio ports are
// connected to the instance's own stereo float buffers.
class LadspaPlugin
{
public:
  // Loads `label` from `path` at `sampleRate` for blocks of up to
  // `maxFrames`. Check IsLoaded(); Error() says why it failed.
  LadspaPlugin(const std::string& path, const std::string& label, unsigned long sampleRate,
               unsigned long maxFrames);
  ~LadspaPlugin();
  LadspaPlugin(const LadspaPlugin&) = delete;
  LadspaPlugin& operator=(const LadspaPlugin&) = delete;

  bool IsLoaded() const { return instance_ != nullptr; }
  const std::string& Error() const { return error_; }
  const char* Name() const { return descriptor_->Name; }

  // Stereo input and output buffers (mono plug-ins use channel 0).
  float* Input(int channel) { return inputs_[channel].data(); }
  float* Output(int channel) { return outputs_[channel].data(); }
  int AudioInputs() const { return audioInputs_; }
  int AudioOutputs() const { return audioOutputs_; }

  void Run(unsigned long frames) { descriptor_->run(instance_, frames); }

private:
  float DefaultValue(unsigned long port, unsigned long sampleRate) const;
  void ConnectPorts(unsigned long sampleRate);

  void* library_ = nullptr;
  const LADSPA_Descriptor* descriptor_ = nullptr;
  LADSPA_Handle instance_ = nullptr;
  bool active_ = false;
  std::string error_;
  std::vector<float> controls_;
  std::vector<float> inputs_[2];
  std::vector<float> outputs_[2];
  int audioInputs_ = 0;
  int audioOutputs_ = 0;
};
