#include "framework/IParameter.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
constexpr int kMaxDisplayPrecision = 6;

void CopyText(char (&field)[IParameter::kTextSize], const char* text)
{
  std::snprintf(field, sizeof field, "%s", text ? text : "");
}

// The number of decimals a step needs, at most kMaxDisplayPrecision.
int32_t PrecisionOfStep(double step)
{
  int32_t precision = 0;
  double s = step;
  while (s != std::floor(s) && precision < kMaxDisplayPrecision)
  {
    ++precision;
    s *= 10.0;
  }
  return precision;
}

// A value truncated toward zero, when it is a representable int32.
bool TruncateToInt32(double value, int32_t& out)
{
  const double truncated = std::trunc(value);
  if (!(truncated >= static_cast<double>(INT32_MIN) && truncated <= static_cast<double>(INT32_MAX)))
    return false;  // NaN, infinity or out of range
  out = static_cast<int32_t>(truncated);
  return true;
}
}  // namespace

void IParameter::InitDouble(const char* newName, double newDefault, double newMin, double newMax,
                            double newStep, const char* newLabel, const char* newGroup,
                            double newShape)
{
  if (kind == IParameterKind::None)
    kind = IParameterKind::Double;
  CopyText(name, newName);
  CopyText(label, newLabel);
  CopyText(group, newGroup);
  min = newMin;
  value.Store(newDefault);
  defaultValue = newDefault;
  step = newStep;
  max = newMax > newMin + newStep ? newMax : newMin + newStep;
  displayPrecision = PrecisionOfStep(newStep);
  if (newShape != 0.0)
    shape = newShape;
}

void IParameter::InitBool(const char* newName, bool newDefault, const char* newLabel,
                          const char* newGroup)
{
  kind = IParameterKind::Bool;
  InitDouble(newName, newDefault ? 1.0 : 0.0, 0.0, 1.0, 1.0, newLabel, newGroup);
  displayTexts.clear();
  AddDisplayText(0, "off");
  AddDisplayText(1, "on");
}

void IParameter::InitInt(const char* newName, int newDefault, int newMin, int newMax,
                         const char* newLabel, const char* newGroup)
{
  kind = IParameterKind::Int;
  InitDouble(newName, newDefault, newMin, newMax, 1.0, newLabel, newGroup);
}

void IParameter::InitEnum(const char* newName, int newDefault, int count, const char* newLabel,
                          const char* newGroup)
{
  kind = IParameterKind::Enum;
  InitDouble(newName, newDefault, 0.0, count - 1.0, 1.0, newLabel, newGroup);
}

void IParameter::AddDisplayText(int32_t textValue, const char* text)
{
  IDisplayText entry;
  entry.value = textValue;
  std::snprintf(entry.text, sizeof entry.text, "%s", text ? text : "");
  displayTexts.push_back(entry);
}

void IParameter::SetNormalized(double normalized)
{
  double plain = FromNormalized(normalized);
  if (kind != IParameterKind::Double && step > 0.0)
    plain = std::floor(plain / step + 0.5) * step;
  // NaN and -infinity would poison everything downstream; +infinity meets
  // the upper limit below.
  if (!(plain >= -DBL_MAX))
    return;
  value.Store(plain < max ? plain : max);
}

void IParameter::SetPlainClamped(double v)
{
  if (std::isnan(v))
    value.Store(defaultValue);
  else if (v < min)
    value.Store(min);
  else if (v > max)
    value.Store(max);
  else
    value.Store(v);
}

double IParameter::GetNormalized() const
{
  return GetNormalized(value.Load());
}

double IParameter::GetNormalized(double plain) const
{
  if (!(max > min))
    return 0.0;
  double v = plain;
  if (!(v >= min))  // also NaN
    v = min;
  else if (v > max)
    v = max;
  return std::pow((v - min) / (max - min), 1.0 / shape);
}

double IParameter::FromNormalized(double normalized) const
{
  return min + (max - min) * std::pow(normalized, shape);
}

void IParameter::GetDisplayText(char* text) const
{
  GetDisplayText(value.Load(), false, true, text);
}

void IParameter::GetDisplayText(double v, bool isNormalized, bool useDisplayTexts, char* text) const
{
  if (isNormalized)
    v = FromNormalized(v);
  if (useDisplayTexts)
  {
    if (const char* found = FindDisplayText(v))
    {
      std::snprintf(text, kTextSize, "%s", found);
      return;
    }
  }
  if (negateDisplay)
    v = -v;
  if (displayPrecision == 0)
  {
    // Formatting the truncated double keeps values beyond the int32 range
    // (and NaN) printable; adding 0.0 turns -0 into 0 as "%d" would show it.
    std::snprintf(text, kTextSize, "%.0f", std::trunc(v) + 0.0);
  }
  else
  {
    std::snprintf(text, kTextSize, "%.*f", static_cast<int>(displayPrecision), v + 0.0);
  }
}

const char* IParameter::FindDisplayText(double v) const
{
  int32_t key = 0;
  if (!TruncateToInt32(v, key))
    return nullptr;
  for (const IDisplayText& entry : displayTexts)
  {
    if (entry.value == key)
      return entry.text[0] != '\0' ? entry.text : nullptr;
  }
  return nullptr;
}

const char* IParameter::GetLabelForHost() const
{
  return FindDisplayText(value.Load()) ? "" : label;
}

const IDisplayText* IParameter::DisplayTextAt(int index) const
{
  if (index < 0 || index >= DisplayTextCount())
    return nullptr;
  return &displayTexts[static_cast<size_t>(index)];
}
