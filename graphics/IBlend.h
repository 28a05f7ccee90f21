#pragma once

#include <cstdint>

// How a control's pixels combine with what lies below them.
enum class IBlendMethod : int32_t
{
  None = 0,         // copy weighted by the source alpha
  Opaque = 1,       // plain copy
  Add = 2,          // add weighted by the source alpha
  ColourDodge = 3,  // colour dodge weighted by the source alpha
};

struct IBlend
{
  IBlendMethod method = IBlendMethod::None;
  float weight = 1.0f;
};
