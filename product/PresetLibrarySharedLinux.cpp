#include "product/PresetLibraryShared.h"

// QUILLWAVE_SHARED_PRESET_LIBRARY is fixed by the build: where the Debian
// package puts the factory presets, with a trailing separator.
std::string PresetLibrarySharedFolder()
{
  return QUILLWAVE_SHARED_PRESET_LIBRARY;
}
