// On Linux a host opens the editor in its X11 window ("X11EmbedWindowID"),
// and the tools and tests open it with an off-screen parent record.
#include "framework/linux/IOffscreenParent.h"
#include "framework/linux/IOffscreenParentProbe.h"
#include "vst3/IEffectVST3View.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cstring>

const Steinberg::FIDString IEffectVST3View::kPlatformType = IOFFSCREEN_PARENT_PLATFORM_TYPE;

bool IEffectVST3View::IsPlatformType(Steinberg::FIDString type)
{
  return type && (std::strcmp(type, kPlatformType) == 0 ||
                  std::strcmp(type, Steinberg::kPlatformTypeX11EmbedWindowID) == 0);
}

bool IEffectVST3View::FitsPlatformType(void* parent, Steinberg::FIDString type)
{
  const bool isRecord = ProbeOffscreenParent(parent) != nullptr;
  return std::strcmp(type, kPlatformType) == 0 ? isRecord : !isRecord;
}
