#pragma once

#include "raster/RasterBitmap.h"

#include <memory>

// One entry of the process-wide list of image file loaders. The PNG loader
// is the list's head from static initialisation on; a loader registered
// later goes in front of it.
struct RasterImageLoader
{
  // Loads the file, or returns null when it cannot.
  std::unique_ptr<RasterBitmap> (*load)(const char* path, bool checkExtension);
  // The file-type description for a file dialog, such as "PNG files (*.PNG)".
  const char* (*description)();
  const RasterImageLoader* next;
};

// The first loader of the list; follow `next` for the others.
const RasterImageLoader* RasterImageLoaders();

// Puts `loader` at the head of the list. Call during static initialisation
// (the list is not locked); `loader` must outlive every use of the list.
void RasterRegisterImageLoader(RasterImageLoader& loader);
