#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `width` × `height` editor pixels (32-bit words, red in bits 16 to 23, rows top-down)
// as an 8-bit RGB PNG. The screen shows no transparency, so alpha is not written. False with
// libpng's reason when the file cannot be written.
bool WriteSnapshotPng(const std::string& path, const std::vector<uint32_t>& pixels, int width,
                      int height, std::string& error);
