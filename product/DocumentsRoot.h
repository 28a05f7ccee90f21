#pragma once

#include <string>

// The machine's shared documents folder, with forward slashes and no trailing
// separator; empty when the platform cannot name one. Looked up on every call,
// so a changed environment takes effect at once. One implementation per platform.
std::string DocumentsRoot();
