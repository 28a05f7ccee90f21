#pragma once

struct IOffscreenParent;

// The record `parent` points at when it is an off-screen parent this build
// can drive, else null. A Linux host may hand an X11 window id or some other
// handle where the record is expected, so the pointer is never dereferenced
// before its memory is known to be readable: it is first copied through the
// kernel, which refuses an unmapped address instead of faulting.
IOffscreenParent* ProbeOffscreenParent(void* parent);
