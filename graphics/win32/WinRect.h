#pragma once

#include "graphics/IRectangle.h"
#include "graphics/win32/WinApi.h"

// Editor rectangles and Win32 rectangles have the same edges.
inline RECT ToWinRect(const IRectangle& rect)
{
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

inline IRectangle FromWinRect(const RECT& rect)
{
  return IRectangle{rect.left, rect.top, rect.right, rect.bottom};
}
