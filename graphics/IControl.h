#pragma once

#include "graphics/IBlend.h"
#include "graphics/IMouseModifiers.h"
#include "graphics/IRectangle.h"
#include "graphics/ITextStyle.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IEffectBase;
class IGraphics;
class ITextControl;

// An element of the editor: a rectangle, an optional bound parameter and a
// normalised value 0..1, drawn through the graphics core and driven by the
// input it dispatches. A value changed by the user reaches the plug-in only
// through MarkDirty(true).
//
// The value, the auxiliary values and the redraw state are also written by
// ApplyPluginValue from whichever thread changed the parameter, so they are
// atomics. Both redraw flags live in one word: a draw pass cleaning the
// control while another thread marks it cannot lose the mark.
class IControl
{
public:
  IControl(IEffectBase* plugin, const IRectangle& rect, int paramIndex = -1,
           const IBlend& blend = IBlend{});

  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  virtual ~IControl();
  // With the right button down: PromptForValue.
  virtual void OnMouseDown(int x, int y, const IMouseModifiers& modifiers);
  virtual void OnMouseUp(int x, int y, const IMouseModifiers& modifiers);
  virtual void OnMouseDrag(int x, int y, int dx, int dy, const IMouseModifiers& modifiers);
  // Back to the default value, once the plug-in has given one.
  virtual void OnMouseDoubleClick(int x, int y, const IMouseModifiers& modifiers);
  virtual void OnMouseWheel(int x, int y, const IMouseModifiers& modifiers, int steps);
  virtual bool OnKeyDown(int x, int y, int key);
  virtual void OnMouseOver(int x, int y, const IMouseModifiers& modifiers);
  virtual void OnMouseOut();
  virtual bool Draw(IGraphics& graphics) = 0;
  // The plug-in's value. The first one also becomes the default value and
  // does not mark the control dirty.
  virtual void ApplyPluginValue(double value);
  // A value the user chose in a prompt: stored and sent to the plug-in.
  virtual void ApplyUserValue(double value);
  // Text of a committed entry made without a parameter.
  virtual void AcceptEnteredText(const char* text);
  virtual void SetHidden(bool hide);
  // A greyed control draws at a quarter weight and takes no presses.
  virtual void SetGreyed(bool grey);
  virtual bool HitTest(int x, int y);
  // Limits the value to the clamp range and asks for a redraw; with `notify`
  // the bound parameter takes the value (SetParamFromEditor) and the
  // attached value and name texts follow.
  virtual void MarkDirty(bool notifyPlugin);
  // Clean, unless a redraw was requested meanwhile: then one more pass.
  virtual void MarkClean();
  virtual bool NeedsRedraw();
  virtual void ApplyAuxPluginValue(int position, double value);

  // Opens the graphics core's prompt for the bound parameter, when prompting
  // is enabled and the control has a parameter.
  void PromptForValue();

  IEffectBase* GetPlugin() const { return plugin; }
  const IRectangle& GetRect() const { return rect; }
  const IRectangle& GetTargetRect() const { return targetRect; }
  // Where the control is hit; the rectangle unless set otherwise.
  void SetTargetRect(const IRectangle& target) { targetRect = target; }
  int ParamIndex() const { return paramIndex; }

  double GetValue() const { return value.load(); }
  void SetValue(double v) { value.store(v); }
  // -1 until the plug-in gave the first value.
  double GetDefaultValue() const { return defaultValue.load(); }
  void SetClamp(double low, double high);
  double ClampLow() const { return clampLow; }
  double ClampHigh() const { return clampHigh; }

  // Follows parameter `paramIndex` as auxiliary entry number AuxParamCount().
  // Call while the editor is built, before it is attached.
  void AddAuxParam(int paramIndex);
  int AuxParamCount() const { return static_cast<int>(auxParams.size()); }
  // 0 and -1 for a position out of range.
  double AuxValue(int position) const;
  int AuxParamIndex(int position) const;

  bool IsHidden() const { return hidden; }
  bool IsGreyed() const { return greyed; }
  bool RedrawPending() const { return (redraw.load() & kRedrawPending) != 0; }
  bool PromptDisabled() const { return promptDisabled; }
  void SetPromptDisabled(bool disable) { promptDisabled = disable; }
  bool DoubleClickAsClick() const { return doubleClickAsClick; }
  void SetDoubleClickAsClick(bool asClick) { doubleClickAsClick = asClick; }
  bool MouseOverWhenGreyed() const { return mouseOverWhenGreyed; }
  void SetMouseOverWhenGreyed(bool over) { mouseOverWhenGreyed = over; }

  const IBlend& GetBlend() const { return blend; }
  ITextStyle& GetTextStyle() { return textStyle; }
  void SetTextStyle(const ITextStyle& style) { textStyle = style; }
  int TextEntryLength() const { return textEntryLength; }
  void SetTextEntryLength(int length) { textEntryLength = length; }

  // Text controls that show the bound parameter's value and name after each
  // user change; not owned.
  void SetValueTextControl(ITextControl* control) { valueText = control; }
  void SetNameTextControl(ITextControl* control) { nameText = control; }

  const std::string& GetTooltip() const { return tooltip; }
  void SetTooltip(const char* text) { tooltip = text ? text : ""; }

protected:
  // Keeps the control dirty for one more draw pass.
  void RequestRedraw() { redraw.fetch_or(kRedrawPending); }

private:
  enum RedrawFlags : uint8_t
  {
    kNeedsRedraw = 1,
    kRedrawPending = 2,
  };

  // A further parameter the control follows besides its own.
  struct AuxEntry
  {
    std::atomic<double> value{0.0};
    int32_t paramIndex = -1;
  };

  void RefreshAttachedTexts();

  int32_t textEntryLength = 7;
  ITextStyle textStyle;
  IEffectBase* plugin;
  IRectangle rect;
  IRectangle targetRect;
  int32_t paramIndex;
  // Fixed once the editor is attached, so entries never move under a reader.
  std::vector<std::unique_ptr<AuxEntry>> auxParams;
  std::atomic<double> value{0.0};
  std::atomic<double> defaultValue{-1.0};
  double clampLow = 0.0;
  double clampHigh = 1.0;
  std::atomic<uint8_t> redraw{kNeedsRedraw};
  bool hidden = false;
  bool greyed = false;
  bool promptDisabled = true;
  bool doubleClickAsClick = false;
  bool mouseOverWhenGreyed = false;
  IBlend blend;
  ITextControl* valueText = nullptr;
  ITextControl* nameText = nullptr;
  std::string tooltip;
};
