#pragma once

// The Win32 headers as the window host uses them: without the min and max
// macros, which would break std::min and std::max. Every Win32 call names
// its ANSI or wide variant explicitly, so UNICODE may or may not be defined.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
