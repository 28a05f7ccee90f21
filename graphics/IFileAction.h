#pragma once

#include <cstdint>

// What a file prompt asks for.
enum class IFileAction : int32_t
{
  Open = 0,
  Save = 1,
};
