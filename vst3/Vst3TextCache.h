#pragma once

#include "pluginterfaces/vst/vsttypes.h"

// Widens the plug-in's 8-bit texts (parameter names, labels, display-text
// entries) to the UTF-16 the VST3 interfaces carry. Each byte becomes one
// UTF-16 unit; there is no code-page translation.
//
// The converted strings live in a process-wide cache until the module unloads,
// keyed by the address of the source text, so a host that enumerates the same
// parameters again gets the same pointers without another conversion. An
// address whose text has changed since it was cached gets a new entry; earlier
// pointers stay valid. The cache takes a lock and may allocate: it is for the
// controller and set-up threads, never for the audio thread.
const Steinberg::Vst::TChar* Vst3WidenCached(const char* text);

// Widens text into a fixed host string of capacity units (including the
// terminating NUL), truncating what does not fit. No cache, no allocation.
void Vst3WidenInto(Steinberg::Vst::TChar* destination, int capacity, const char* text);
