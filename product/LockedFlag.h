#pragma once

#include "framework/IEffectBase.h"
#include "graphics/PluginLock.h"

// Sets a flag under the plug-in's mutex for a scope and clears it on the way
// out, however the scope is left. The editor's preset controls use it to say
// that the change the plug-in is handling is the user's own.
class LockedFlag
{
public:
  LockedFlag(IEffectBase* plugin, bool& flag) : plugin(plugin), flag(flag)
  {
    const PluginLock lock(plugin);
    flag = true;
  }
  ~LockedFlag()
  {
    const PluginLock lock(plugin);
    flag = false;
  }

  LockedFlag(const LockedFlag&) = delete;
  LockedFlag& operator=(const LockedFlag&) = delete;

private:
  IEffectBase* const plugin;
  bool& flag;
};
