// The VST2 module's entry points. A host loads the module, looks up VSTPluginMain (or, in
// older hosts, main) and calls it with its callback to get one plug-in instance.

#include "framework/IMutex.h"
#include "vst2/IEffectVST2.h"
#include "vst2/Vst24Interface.h"
#include "vst2/Vst2ModuleInstance.h"

#include <algorithm>

#if defined(_WIN32)
#define VST_EXPORT __declspec(dllexport)
#else
#define VST_EXPORT __attribute__((visibility("default")))
#endif

namespace
{

// Serialises instance creation across the whole module; created on first use.
IMutex& CreationLock()
{
  static IMutex lock;
  return lock;
}

AEffect* CreateEffect(audioMasterCallback host)
{
  IMutexLock lock(CreationLock());
  IEffectVST2* plug = nullptr;
  try
  {
    plug = CreatePlugin(IEffectVST2::HostContext{host}, Vst2ModuleInstance());
  }
  catch (...)
  {
    // Nothing may unwind into the host; a plug-in that cannot be built is reported as null.
    return nullptr;
  }
  plug->FillEmptyPresets("Empty", plug->GetPresetCount());
  AEffect* effect = plug->GetAEffect();
  effect->numPrograms = std::max(effect->numPrograms, 1);
  return effect;
}

}  // namespace

extern "C"
{

VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
  return CreateEffect(host);
}

// The legacy entry point is named main, which C++ reserves for the program's own entry, so
// the function gets that symbol name through an assembler label. It takes the callback at
// full pointer width: a 64-bit host passes a pointer, and narrowing it to int would lose it.
VST_EXPORT AEffect* VSTLegacyMain(audioMasterCallback host) __asm__("main");

AEffect* VSTLegacyMain(audioMasterCallback host)
{
  return CreateEffect(host);
}

}  // extern "C"
