// Interface identifiers that the SDK headers declare but no SDK source file
// defines; each is defined once here for the whole module.
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg
{
DEF_CLASS_IID(IPlugView)
DEF_CLASS_IID(IPlugFrame)
}  // namespace Steinberg
