#pragma once

// Trace point at a framework entry point: the function name and a printf-style
// description of its arguments. This build records nothing; the format
// attribute still lets the compiler check every trace call.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline void
ITrace(const char* /*function*/, const char* /*format*/, ...)
{
}
