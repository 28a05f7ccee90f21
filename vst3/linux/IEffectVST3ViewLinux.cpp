// Linux has no window for the editor to live in: a host opens it with an
// off-screen parent record and drives it through that record.
#include "graphics/linux/IOffscreenParent.h"
#include "vst3/IEffectVST3View.h"

const Steinberg::FIDString IEffectVST3View::kPlatformType = IOFFSCREEN_PARENT_PLATFORM_TYPE;
