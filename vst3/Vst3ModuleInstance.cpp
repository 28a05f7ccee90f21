#include "vst3/Vst3ModuleInstance.h"

#include <atomic>

namespace
{
std::atomic<void*> recordedInstance{nullptr};
std::atomic<void*> publishedInstance{nullptr};
}  // namespace

void Vst3RecordModuleInstance(void* handle)
{
  recordedInstance.store(handle);
}

void Vst3PublishModuleInstance()
{
  publishedInstance.store(recordedInstance.load());
}

void* Vst3ModuleInstance()
{
  return publishedInstance.load();
}
