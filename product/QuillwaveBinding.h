#pragma once

// The Quillwave class is one source for both plug-in modules; the module's
// build picks the binding class it derives from.
#if defined(QUILLWAVE_BINDING_VST3) && defined(QUILLWAVE_BINDING_VST2)
#error                                                                                             \
    "Quillwave is built against one binding: define QUILLWAVE_BINDING_VST3 or QUILLWAVE_BINDING_VST2"
#elif defined(QUILLWAVE_BINDING_VST3)
#include "vst3/IEffectVST3.h"
using QuillwaveBinding = IEffectVST3;
#elif defined(QUILLWAVE_BINDING_VST2)
#include "vst2/IEffectVST2.h"
using QuillwaveBinding = IEffectVST2;
#else
#error "Quillwave needs a binding: define QUILLWAVE_BINDING_VST3 or QUILLWAVE_BINDING_VST2"
#endif
