#pragma once

#include <string>

// The user's home folder on Linux: $HOME, or the password database's entry
// for this user when HOME is unset or empty; empty when neither names one.
// Looked up on every call, so a changed environment takes effect at once.
std::string HomeFolder();
