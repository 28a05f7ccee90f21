#pragma once

#include <string>

// Points HOME at a private, initially empty folder for the rest of the
// process, so that a fuzzed plug-in's preset library lies inside it and the
// real documents folder is never read or written. The folder is created on
// the first call and removed when the process exits; every call returns it.
const std::string& FuzzPrivateHome();
