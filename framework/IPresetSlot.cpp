#include "framework/IPresetSlot.h"

#include <cstdio>

void IPresetSlot::SetName(const char* newName)
{
  if (newName)
    std::snprintf(name, sizeof name, "%s", newName);
}
