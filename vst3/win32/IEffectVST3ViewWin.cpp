// On Windows the host hands the view its parent window as an HWND, and the
// editor opens as a child window of it.
#include "vst3/IEffectVST3View.h"

#include "pluginterfaces/gui/iplugview.h"

const Steinberg::FIDString IEffectVST3View::kPlatformType = Steinberg::kPlatformTypeHWND;
