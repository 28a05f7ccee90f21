#pragma once

#include <string>

// The machine-wide preset library that a system package installs, with a
// trailing separator ("/usr/share/quillwave/presets/" on Linux), whose
// "Factory" folder serves every user who has no Factory folder of their own.
// Empty where the platform has none: on Windows the library is already shared
// by all users. One implementation per platform.
std::string PresetLibrarySharedFolder();
