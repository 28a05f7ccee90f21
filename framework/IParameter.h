#pragma once

#include "framework/IAtomicValue.h"
#include "framework/IDisplayText.h"
#include "framework/IParameterKind.h"

#include <cstdint>
#include <vector>

// One automatable value: the plain value with its range, step, response curve
// and display rules. Normalised = ((value - min) / (max - min))^(1 / shape).
// The record has no lock; IEffectBase serialises access to it, except that
// the value itself may be set and read from a thread that does not hold the
// mutex (see IAtomicValue).
class IParameter
{
public:
  // Text buffers handed to the display operations hold at least this many bytes.
  static constexpr int kTextSize = 32;

  // Keeps a kind chosen earlier; otherwise the parameter becomes Double. The
  // display precision follows the decimals of step, max is raised to at least
  // min + step, and a shape of 0 leaves the previous shape.
  void InitDouble(const char* name, double defaultValue, double min, double max, double step,
                  const char* label = "", const char* group = "", double shape = 1.0);
  // 0..1 in steps of 1, shown as "off" and "on".
  void InitBool(const char* name, bool defaultValue, const char* label = "",
                const char* group = "");
  void InitInt(const char* name, int defaultValue, int min, int max, const char* label = "",
               const char* group = "");
  // 0..count - 1 in steps of 1; the caller names the values with AddDisplayText.
  void InitEnum(const char* name, int defaultValue, int count, const char* label = "",
                const char* group = "");

  // Appends a text shown for `value`; at most 31 characters are kept.
  void AddDisplayText(int32_t value, const char* text);

  // Sets the value from 0..1. Non-double kinds round to a whole multiple of
  // step; the result is limited to max but not to min. A result that is NaN
  // or -infinity leaves the value unchanged.
  void SetNormalized(double normalized);
  // Stores v limited to [min, max]; NaN stores the default value.
  void SetPlainClamped(double v);

  double GetNormalized() const;
  // Normalised position of a plain value, which is first limited to [min, max].
  double GetNormalized(double plain) const;
  // Plain value of a normalised one, without rounding or limiting.
  double FromNormalized(double normalized) const;

  // The current value as a host would show it; `text` holds kTextSize bytes.
  void GetDisplayText(char* text) const;
  // The same rules for any value; with useDisplayTexts false the number is
  // always formatted.
  void GetDisplayText(double value, bool isNormalized, bool useDisplayTexts, char* text) const;
  // The display text for `value`, or null when no non-empty entry matches.
  const char* FindDisplayText(double value) const;

  // Empty when a display text stands for the current value, else the label.
  const char* GetLabelForHost() const;
  const char* GetNameForHost() const { return name; }

  IParameterKind Kind() const { return kind; }
  double Value() const { return value.Load(); }
  double Min() const { return min; }
  double Max() const { return max; }
  double Step() const { return step; }
  double Shape() const { return shape; }
  double DefaultValue() const { return defaultValue; }
  int32_t DisplayPrecision() const { return displayPrecision; }
  const char* Label() const { return label; }
  const char* Group() const { return group; }
  bool NegateDisplay() const { return negateDisplay; }
  bool CanAutomate() const { return canAutomate; }
  int DisplayTextCount() const { return static_cast<int>(displayTexts.size()); }
  // Null for an index out of range.
  const IDisplayText* DisplayTextAt(int index) const;

  void SetNegateDisplay(bool negate) { negateDisplay = negate; }
  void SetCanAutomate(bool automate) { canAutomate = automate; }

private:
  IParameterKind kind = IParameterKind::None;
  IAtomicValue value;
  double min = 0.0;
  double max = 1.0;
  double step = 1.0;
  double shape = 1.0;
  double defaultValue = 0.0;
  int32_t displayPrecision = 0;
  char name[32] = {};
  char label[32] = {};
  char group[32] = {};
  bool negateDisplay = false;
  bool canAutomate = true;
  std::vector<IDisplayText> displayTexts;
};
