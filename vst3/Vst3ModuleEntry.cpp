// The VST3 module's entry points and its one class: the Quillwave effect,
// created by the product built on the binding (CreatePlugin).
#include "vst3/Vst3ModuleEntry.h"
#include "framework/FourCharCode.h"
#include "framework/IMutex.h"
#include "vst3/CPluginFactory.h"
#include "vst3/IEffectVST3.h"
#include "vst3/Vst3ModuleInstance.h"

#include "QuillwaveVersion.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <cstring>
#include <mutex>
#include <new>

using namespace Steinberg;

namespace
{
// A COM-layout GUID: data1 0xF2AEE70D, data2 0x00DE, data3 0x4F4E, then the
// maker code and the plug-in code, most significant character first. Written
// through INLINE_UID, so the logical id (and its text form in a host's song)
// is the same on every platform.
const TUID kQuillwaveClassId =
    INLINE_UID(0xF2AEE70D, 0x00DE4F4E, FourCharCode("Plvx"), FourCharCode("Pqw6"));

// Serialises instance creation across the host's threads; it lives until the
// module unloads.
IMutex& CreationLock()
{
  static IMutex lock;
  return lock;
}

FUnknown* CreateQuillwave(void*)
{
  IMutexLock guard(CreationLock());
  try
  {
    IEffectVST3* const plugin = CreatePlugin({}, Vst3ModuleInstance());
    return static_cast<Vst::IAudioProcessor*>(plugin);
  }
  catch (const std::bad_alloc&)
  {
    return nullptr;
  }
}

template <size_t N>
void CopyText(char8 (&field)[N], const char* text)
{
  std::strncpy(field, text, N);
}

// The maker, as the factory and its class name it to hosts.
constexpr const char* kVendor = QUILLWAVE_VENDOR;

PFactoryInfo MakeFactoryInfo()
{
  PFactoryInfo info;
  CopyText(info.vendor, kVendor);
  CopyText(info.url, "https://pleoaudio.example");
  CopyText(info.email, "mailto:support@pleoaudio.example");
  info.flags = PFactoryInfo::kUnicode;
  return info;
}

PClassInfo2 MakeClassInfo()
{
  PClassInfo2 info;  // value-initialised: every field zero
  std::memcpy(info.cid, kQuillwaveClassId, sizeof(TUID));
  info.cardinality = PClassInfo::kManyInstances;
  CopyText(info.category, kVstAudioEffectClass);
  CopyText(info.name, "Quillwave");
  info.classFlags = 2;
  CopyText(info.subCategories, "Fx|Modulation");
  CopyText(info.vendor, kVendor);
  CopyText(info.version, QUILLWAVE_VERSION_STRING);
  CopyText(info.sdkVersion, "VST 3.6.0");
  return info;
}
}  // namespace

extern "C"
{
SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
  // Hosts may ask on several threads at once; the factory is published only with its class.
  std::lock_guard<std::mutex> guard(CPluginFactory::singletonLock());
  if (gPluginFactory)
  {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  static const PFactoryInfo factoryInfo = MakeFactoryInfo();
  auto* factory = new CPluginFactory(factoryInfo);
  static const PClassInfo2 classInfo = MakeClassInfo();
  factory->registerClass(&classInfo, CreateQuillwave);
  gPluginFactory = factory;
  return gPluginFactory;
}

bool InitDll()
{
  Vst3PublishModuleInstance();
  return true;
}

bool ExitDll()
{
  return true;
}
}
