#pragma once

#include <string>

// Well-known folders of a Linux session. Empty when unknown; the home folder
// itself is framework/HomeFolder.h.

// The folder part of a file's path, up to and including its last '/'; empty
// when the path names no folder.
std::string FolderOfFile(const std::string& path);
// The folder of the running program, with its trailing '/'.
std::string ProgramFolder();
// The folder of the module (shared object or program) holding this code,
// with its trailing '/'.
std::string ModuleFolder();
// The desktop folder, without a trailing '/'.
std::string DesktopFolder();
// Application data: the user's ($XDG_DATA_HOME, else ~/.local/share) or,
// with `system`, the machine's (/usr/local/share); without a trailing '/'.
std::string DataFolder(bool system);
