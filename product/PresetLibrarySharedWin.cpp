#include "product/PresetLibraryShared.h"

// The shared documents folder is the machine-wide library already.
std::string PresetLibrarySharedFolder()
{
  return {};
}
