#pragma once

#include "graphics/IControl.h"

#include <string>
#include <vector>

// A control that writes what happens to it into a shared log, as
// "<event> <name>": draw, down, up, drag, dbl, wheel, key, over, out, gone.
class RecordingControl : public IControl
{
public:
  RecordingControl(std::vector<std::string>& log, const char* name, IEffectBase* plugin,
                   const IRectangle& rect, int paramIndex = -1)
      : IControl(plugin, rect, paramIndex), log(log), name(name)
  {
  }
  ~RecordingControl() override { Record("gone"); }

  void OnMouseDown(int x, int y, const IMouseModifiers& modifiers) override
  {
    Record("down");
    IControl::OnMouseDown(x, y, modifiers);
  }
  void OnMouseUp(int, int, const IMouseModifiers&) override { Record("up"); }
  void OnMouseDrag(int, int, int dx, int dy, const IMouseModifiers&) override
  {
    Record("drag " + std::to_string(dx) + " " + std::to_string(dy));
  }
  void OnMouseDoubleClick(int, int, const IMouseModifiers&) override { Record("dbl"); }
  void OnMouseWheel(int, int, const IMouseModifiers&, int steps) override
  {
    Record("wheel " + std::to_string(steps));
  }
  bool OnKeyDown(int, int, int key) override
  {
    Record("key " + std::to_string(key));
    return true;
  }
  void OnMouseOver(int, int, const IMouseModifiers&) override { Record("over"); }
  void OnMouseOut() override { Record("out"); }
  bool Draw(IGraphics&) override
  {
    Record("draw");
    return true;
  }

private:
  void Record(const std::string& event) { log.push_back(event + " " + name); }

  std::vector<std::string>& log;
  const std::string name;
};
