#pragma once

#include "TestEditorBase.h"

#include "graphics/linux/IGraphicsOffscreen.h"

// The test editor on the off-screen host.
struct TestEditor : TestEditorBase<IGraphicsOffscreen>
{
  explicit TestEditor(PluginApi api = PluginApi::VST2) : TestEditorBase(api, nullptr) {}
};

inline IMouseModifiers LeftButton()
{
  IMouseModifiers modifiers;
  modifiers.left = true;
  return modifiers;
}

inline IMouseModifiers RightButton()
{
  IMouseModifiers modifiers;
  modifiers.right = true;
  return modifiers;
}
