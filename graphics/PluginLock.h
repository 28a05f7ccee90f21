#pragma once

#include "framework/IEffectBase.h"

// Holds the plug-in's mutex for a scope, when there is a plug-in. The editor
// reads parameter records and shared control texts that other threads write
// under that mutex.
class PluginLock
{
public:
  explicit PluginLock(IEffectBase* plugin) : plugin(plugin)
  {
    if (plugin)
      plugin->Mutex().Lock();
  }
  ~PluginLock()
  {
    if (plugin)
      plugin->Mutex().Unlock();
  }

  PluginLock(const PluginLock&) = delete;
  PluginLock& operator=(const PluginLock&) = delete;

private:
  IEffectBase* const plugin;
};
