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
std::string PresetLibraryPath(int32_t number);
