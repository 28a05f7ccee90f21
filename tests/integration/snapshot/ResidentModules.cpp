// The test run keeps both modules loaded from start to end, as a host keeps the plug-ins of an
// open session; each instance still loads and unloads them through its own handle. Two
// allocations of the libraries the modules draw text with live until the process ends and are
// lost when a module is unmapped earlier: fontconfig's configuration, whose one-off leak the
// suppression of tests/raster/RasterLeakSuppressions.cpp can name only while fontconfig is
// mapped, and the raster library's FreeType singleton, which is never freed by design.
#include <dlfcn.h>

namespace
{

void* const kVst2Module = dlopen(QUILLWAVE_VST2_MODULE, RTLD_NOW | RTLD_LOCAL);
void* const kVst3Module = dlopen(QUILLWAVE_VST3_MODULE, RTLD_NOW | RTLD_LOCAL);

}  // namespace
