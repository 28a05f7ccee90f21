// On Windows the host hands the view its parent window as an HWND, and the
// editor opens as a child window of it.
#include "vst3/IEffectVST3View.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cstring>

const Steinberg::FIDString IEffectVST3View::kPlatformType = Steinberg::kPlatformTypeHWND;

bool IEffectVST3View::IsPlatformType(Steinberg::FIDString type)
{
  return type && std::strcmp(type, kPlatformType) == 0;
}

bool IEffectVST3View::FitsPlatformType(void*, Steinberg::FIDString)
{
  return true;
}
