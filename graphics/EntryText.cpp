#include "graphics/EntryText.h"

#include "framework/IParameter.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace
{

bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatEntryValue(double value, int precision)
{
  // Wide enough for every finite double in fixed notation with 6 decimals.
  char text[400];
  const double shown = precision > 0 ? value : std::trunc(value);
  // Adding 0.0 turns -0 into 0, as a whole-number format would show it.
  const auto result = std::to_chars(text, text + sizeof text, shown + 0.0, std::chars_format::fixed,
                                    precision > 0 ? precision : 0);
  if (result.ec != std::errc())
    return {};
  return std::string(text, result.ptr);
}

double ParseEntryNumber(const char* text)
{
  if (!text)
    return 0.0;
  const char* p = text;
  while (*p == ' ' || *p == '\t')
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-')
    negative = *p++ == '-';

  // Scan the number's extent first: from_chars alone would also read
  // "inf", "nan" and hexadecimal forms.
  const char* start = p;
  const char* end = p;
  bool digits = false;
  while (IsDigit(*end))
  {
    ++end;
    digits = true;
  }
  if (*end == '.')
  {
    ++end;
    while (IsDigit(*end))
    {
      ++end;
      digits = true;
    }
  }
  if (!digits)
    return 0.0;
  bool negativeExponent = false;
  if (*end == 'e' || *end == 'E')
  {
    const char* exponent = end + 1;
    if (*exponent == '+' || *exponent == '-')
      negativeExponent = *exponent++ == '-';
    if (IsDigit(*exponent))
    {
      while (IsDigit(*exponent))
        ++exponent;
      end = exponent;
    }
    else
    {
      negativeExponent = false;
    }
  }

  double magnitude = 0.0;
  const auto result = std::from_chars(start, end, magnitude, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range)
    magnitude = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
  else if (result.ec != std::errc())
    magnitude = 0.0;
  return negative ? -magnitude : magnitude;
}

bool EntryTakesCharacter(const IParameter* parameter, char character)
{
  if (!parameter || character == '+' || character == '-' || IsDigit(character))
    return true;
  switch (parameter->Kind())
  {
    case IParameterKind::Bool:
    case IParameterKind::Int:
    case IParameterKind::Enum:
      return false;
    case IParameterKind::None:
    case IParameterKind::Double:
      break;
  }
  return character == '.';
}
