#pragma once

#include <cstdint>
#include <string>

// Where the preset library lives: documents root + "/PleoAudio/Quillwave/Presets/",
// with the "Factory" and "User" sub-folders the catalogue names. Without a
// documents root the folder is left unresolved (empty), so nothing is read or
// written relative to the host's working folder.
std::string PresetLibraryFolder();

// The full path a catalogue number loads: the library folder followed by the
// catalogue file, or the library folder alone for a number without a file.
// A factory preset is read from the machine-wide library instead
// (PresetLibraryShared.h) when the user has no Factory folder and that library
// has one, so a system-wide install works for every user with no per-user
// step. User slots always stay in the user's library.
std::string PresetLibraryPath(int32_t number);
