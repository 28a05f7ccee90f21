// Interface identifiers that the SDK headers declare but no SDK source file
// defines; each is defined once here for the whole module.
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg
{
DEF_CLASS_IID(IPlugView)
DEF_CLASS_IID(IPlugFrame)
#if SMTG_OS_LINUX
DEF_CLASS_IID(Linux::IEventHandler)
DEF_CLASS_IID(Linux::ITimerHandler)
DEF_CLASS_IID(Linux::IRunLoop)
#endif
}  // namespace Steinberg
