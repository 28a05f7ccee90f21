#pragma once

#include <cstdint>

// How a parameter's value is quantised and presented. Only Double keeps
// unrounded values; Bool and Enum are shown to hosts as lists.
enum class IParameterKind : int32_t
{
  None = 0,
  Bool = 1,
  Int = 2,
  Enum = 3,
  Double = 4,
};
