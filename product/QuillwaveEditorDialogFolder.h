#pragma once

#include <string>

// The folder the preset load and save dialogs start in: the preset library
// folder without its trailing separator, in the platform's own path form.
// Empty when the platform names no documents root; the dialog then starts
// wherever the platform's dialogs start. One implementation per platform.
std::string PresetDialogFolder();
