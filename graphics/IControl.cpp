#include "graphics/IControl.h"

#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"
#include "graphics/PluginLock.h"
#include "graphics/TruncateToInt.h"

#include <cmath>
#include <string>

IControl::IControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex, const IBlend& blend)
    : plugin(plugin), rect(rect), targetRect(rect), paramIndex(paramIndex), blend(blend)
{
}

IControl::~IControl() = default;

void IControl::OnMouseDown(int, int, const IMouseModifiers& modifiers)
{
  if (modifiers.right)
    PromptForValue();
}

void IControl::OnMouseUp(int, int, const IMouseModifiers&) {}

void IControl::OnMouseDrag(int, int, int, int, const IMouseModifiers&) {}

void IControl::OnMouseDoubleClick(int, int, const IMouseModifiers&)
{
  const double defaultValue = GetDefaultValue();
  if (defaultValue >= 0.0)
  {
    SetValue(defaultValue);
    MarkDirty(true);
  }
}

void IControl::OnMouseWheel(int, int, const IMouseModifiers&, int) {}

bool IControl::OnKeyDown(int, int, int)
{
  return false;
}

void IControl::OnMouseOver(int, int, const IMouseModifiers&) {}

void IControl::OnMouseOut() {}

void IControl::ApplyPluginValue(double v)
{
  if (GetDefaultValue() < 0.0)
  {
    SetValue(v);
    defaultValue.store(v);
    return;
  }
  if (v != GetValue())
  {
    SetValue(v);
    // The request goes first: a draw pass cleaning the control between the
    // two marks then keeps it dirty instead of dropping the mark.
    RequestRedraw();
    MarkDirty(false);
  }
}

void IControl::ApplyUserValue(double v)
{
  if (v != GetValue())
  {
    SetValue(v);
    RequestRedraw();
    MarkDirty(true);
  }
}

void IControl::AcceptEnteredText(const char*) {}

void IControl::SetHidden(bool hide)
{
  hidden = hide;
  RequestRedraw();
  MarkDirty(false);
}

void IControl::SetGreyed(bool grey)
{
  greyed = grey;
  blend.weight = grey ? 0.25f : 1.0f;
  MarkDirty(false);
}

bool IControl::HitTest(int x, int y)
{
  return targetRect.Contains(x, y);
}

void IControl::MarkDirty(bool notifyPlugin)
{
  double v = GetValue();
  // NaN would otherwise pass both comparisons and reach the plug-in.
  if (std::isnan(v) || v < clampLow)
    v = clampLow;
  else if (v > clampHigh)
    v = clampHigh;
  SetValue(v);
  redraw.fetch_or(kNeedsRedraw);

  if (notifyPlugin && plugin && paramIndex >= 0)
  {
    plugin->SetParamFromEditor(paramIndex, v);
    RefreshAttachedTexts();
  }
}

void IControl::RefreshAttachedTexts()
{
  if (!valueText && !nameText)
    return;
  std::string shownValue;
  std::string name;
  {
    const PluginLock lock(plugin);
    const IParameter* parameter = plugin->GetParam(paramIndex);
    if (!parameter)
      return;
    char display[IParameter::kTextSize];
    parameter->GetDisplayText(display);
    shownValue = std::string(display) + " " + parameter->GetLabelForHost();
    name = parameter->GetNameForHost();
  }
  if (valueText)
    valueText->SetTextFromPlugin(shownValue.c_str());
  if (nameText)
    nameText->SetTextFromPlugin(name.c_str());
}

void IControl::MarkClean()
{
  uint8_t state = redraw.load();
  while (!redraw.compare_exchange_weak(state, (state & kRedrawPending) ? kNeedsRedraw : 0))
  {
  }
}

bool IControl::NeedsRedraw()
{
  return (redraw.load() & kNeedsRedraw) != 0;
}

void IControl::ApplyAuxPluginValue(int position, double v)
{
  if (position < 0 || position >= AuxParamCount())
    return;
  std::atomic<double>& aux = auxParams[static_cast<size_t>(position)]->value;
  if (v != aux.load())
  {
    aux.store(v);
    RequestRedraw();
    MarkDirty(false);
  }
}

void IControl::PromptForValue()
{
  if (paramIndex < 0 || promptDisabled || !plugin)
    return;
  IGraphics* graphics = EditorGraphics(plugin);
  const IParameter* parameter = plugin->GetParam(paramIndex);
  if (!graphics || !parameter)
    return;

  IRectangle promptRect = rect;
  if (parameter->DisplayTextCount() == 0)
  {
    const int cx = TruncateToInt((static_cast<double>(rect.left) + rect.right) * 0.5);
    const int cy = TruncateToInt((static_cast<double>(rect.top) + rect.bottom) * 0.5);
    promptRect = {cx - 20, cy - 8, cx + 20, cy + 8};
  }
  graphics->PromptParameterValue(this, parameter, promptRect);
  RequestRedraw();
}

void IControl::SetClamp(double low, double high)
{
  clampLow = low;
  clampHigh = high;
}

void IControl::AddAuxParam(int auxParamIndex)
{
  auto entry = std::make_unique<AuxEntry>();
  entry->paramIndex = auxParamIndex;
  auxParams.push_back(std::move(entry));
}

double IControl::AuxValue(int position) const
{
  if (position < 0 || position >= AuxParamCount())
    return 0.0;
  return auxParams[static_cast<size_t>(position)]->value.load();
}

int IControl::AuxParamIndex(int position) const
{
  if (position < 0 || position >= AuxParamCount())
    return -1;
  return auxParams[static_cast<size_t>(position)]->paramIndex;
}
