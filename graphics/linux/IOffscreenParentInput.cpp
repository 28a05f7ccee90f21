#include "graphics/linux/IOffscreenParentInput.h"

#include "framework/linux/IOffscreenParent.h"
#include "graphics/IMouseModifiers.h"
#include "graphics/linux/IGraphicsOffscreen.h"
#include "raster/RasterBitmap.h"

#include <cstdint>
#include <cstring>

namespace
{

// The editor's key codes run from space (0) to Z (40).
constexpr int32_t kLastKey = 40;

IMouseModifiers ModifiersFrom(uint32_t bits)
{
  IMouseModifiers modifiers;
  modifiers.left = (bits & kIOffscreenLeftButton) != 0;
  modifiers.right = (bits & kIOffscreenRightButton) != 0;
  modifiers.shift = (bits & kIOffscreenShift) != 0;
  modifiers.control = (bits & kIOffscreenControl) != 0;
  modifiers.alt = (bits & kIOffscreenAlt) != 0;
  return modifiers;
}

// Runs `action` on the record's editor; 0 while it is closed or when the
// editor fails.
template <class Action>
int32_t WithEditor(IOffscreenParent* parent, Action action) noexcept
{
  if (!parent || !parent->editor)
    return 0;
  try
  {
    return action(*static_cast<IGraphicsOffscreen*>(parent->editor));
  }
  catch (...)
  {
    return 0;
  }
}

int32_t MouseDown(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) {
    editor.OnMouseDown(x, y, ModifiersFrom(modifiers));
    return 1;
  });
}

int32_t MouseUp(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) {
    editor.OnMouseUp(x, y, ModifiersFrom(modifiers));
    return 1;
  });
}

int32_t MouseMove(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) {
    editor.MoveMouse(x, y, ModifiersFrom(modifiers));
    return 1;
  });
}

int32_t DoubleClick(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) {
    editor.OnMouseDoubleClick(x, y, ModifiersFrom(modifiers));
    return 1;
  });
}

int32_t Wheel(IOffscreenParent* parent, int32_t x, int32_t y, uint32_t modifiers, int32_t steps)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) {
    editor.OnMouseWheel(x, y, ModifiersFrom(modifiers), steps);
    return 1;
  });
}

int32_t KeyDown(IOffscreenParent* parent, int32_t x, int32_t y, int32_t key)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) {
    if (key < 0 || key > kLastKey)
      return 0;
    return editor.OnKeyDown(x, y, key) ? 1 : 0;
  });
}

int32_t Tick(IOffscreenParent* parent)
{
  return WithEditor(parent, [](IGraphicsOffscreen& editor) { return editor.Tick() ? 1 : 0; });
}

int32_t GetSize(IOffscreenParent* parent, int32_t* width, int32_t* height)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) {
    if (width)
      *width = editor.Width();
    if (height)
      *height = editor.Height();
    return 1;
  });
}

int32_t ReadPixels(IOffscreenParent* parent, uint32_t* pixels, int32_t capacity)
{
  return WithEditor(parent, [&](IGraphicsOffscreen& editor) -> int32_t {
    const RasterBitmap& screen = editor.Screen();
    const int width = editor.Width();
    const int height = editor.Height();
    // Before the first draw the screen has not taken the editor's size.
    if (!pixels || !screen.Bits() || screen.Width() != width || screen.Height() != height)
      return 0;
    const int64_t count = static_cast<int64_t>(width) * height;
    if (count > capacity)
      return 0;
    for (int y = 0; y < height; ++y)
      std::memcpy(pixels + static_cast<int64_t>(y) * width, RasterRow(screen, y),
                  static_cast<size_t>(width) * sizeof(uint32_t));
    return static_cast<int32_t>(count);
  });
}

}  // namespace

void ConnectOffscreenParent(IOffscreenParent& record, IGraphicsOffscreen& editor)
{
  record.editor = &editor;
  record.framesPerSecond = editor.FramesPerSecond();
  record.mouseDown = MouseDown;
  record.mouseUp = MouseUp;
  record.mouseMove = MouseMove;
  record.doubleClick = DoubleClick;
  record.wheel = Wheel;
  record.keyDown = KeyDown;
  record.tick = Tick;
  record.getSize = GetSize;
  record.readPixels = ReadPixels;
}

void DisconnectOffscreenParent(IOffscreenParent& record)
{
  record.editor = nullptr;
  record.framesPerSecond = 0;
  record.mouseDown = nullptr;
  record.mouseUp = nullptr;
  record.mouseMove = nullptr;
  record.doubleClick = nullptr;
  record.wheel = nullptr;
  record.keyDown = nullptr;
  record.tick = nullptr;
  record.getSize = nullptr;
  record.readPixels = nullptr;
}
