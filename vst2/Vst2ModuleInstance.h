#pragma once

// The handle of this VST2 module, from which the editors of its plug-ins
// load their images. One implementation per platform, linked into the module.
void* Vst2ModuleInstance();
