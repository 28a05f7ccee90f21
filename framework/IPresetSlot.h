#pragma once

#include "framework/IStateChunk.h"

// One host-visible program: its name and the state captured for it.
struct IPresetSlot
{
  static constexpr int kNameSize = 256;

  // Copies at most kNameSize - 1 characters; null leaves the name unchanged.
  void SetName(const char* newName);

  bool initialised = false;
  char name[kNameSize] = "empty";
  IStateChunk state;
};
