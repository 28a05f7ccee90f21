#include "product/PresetFile.h"

#include "engine/EngineParameterTable.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <fstream>
#include <locale>
#include <sstream>

const std::array<PresetElement, kPresetElementCount> kPresetElements = {{
    {"FilterTone", kFilterTone},
    {"MainFxOffOn", kMainFxOffOn},
    {"MainOutputBlend", kMainOutputBlend},
    {"QuillwaveBandwidth", kQuillwaveBandwidth},
    {"QuillwaveCenter", kQuillwaveCenter},
    {"QuillwaveFeedback", kQuillwaveFeedback},
    {"QuillwaveMode", kQuillwaveMode},
    {"QuillwaveRate", kQuillwaveRate},
    {"SaturationGain", kSaturationGain},
}};

namespace
{

constexpr size_t kDisplayNameLimit = 35;

std::string OpeningTag(const char* tag)
{
  return std::string("<") + tag + ">";
}
std::string ClosingTag(const char* tag)
{
  return std::string("</") + tag + ">";
}

void AppendElement(std::string& text, const char* tag, const std::string& content)
{
  text += OpeningTag(tag);
  text += content;
  text += ClosingTag(tag);
}

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Double to single precision and back. Magnitudes beyond the float range become
// infinities explicitly, since that conversion is undefined in C++.
double RoundToSingle(double value)
{
  if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
  {
    return std::copysign(HUGE_VAL, value);
  }
  return static_cast<double>(static_cast<float>(value));
}

}  // namespace

std::string FormatPresetText(const PresetValues& values)
{
  std::string text;
  AppendElement(text, "Company", "Pleo Audio");
  AppendElement(text, "Product", "Quillwave");
  AppendElement(text, "Version", "1.0.0");
  std::ostringstream number;
  number.imbue(std::locale::classic());
  for (size_t i = 0; i < kPresetElements.size(); ++i)
  {
    number.str(std::string());
    number << values[i];
    AppendElement(text, kPresetElements[i].tag, number.str());
  }
  return text;
}

PresetReadValues ParsePresetLine(std::string_view line)
{
  PresetReadValues found;
  for (size_t i = 0; i < kPresetElements.size(); ++i)
  {
    const std::string opening = OpeningTag(kPresetElements[i].tag);
    const size_t open = line.find(opening);
    const size_t close = line.find(ClosingTag(kPresetElements[i].tag));
    if (open == std::string_view::npos || close == std::string_view::npos)
    {
      continue;
    }
    const size_t start = open + opening.size();
    // A closing tag ahead of the opening one leaves the rest of the line.
    const size_t length = close >= start ? close - start : std::string_view::npos;
    found[i] = ReadPresetNumber(line.substr(start, length));
  }
  return found;
}

std::optional<double> ReadPresetNumber(std::string_view text)
{
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos]))
  {
    ++pos;
  }
  // from_chars takes no plus sign; a C-library reader does, so accept one.
  if (pos + 1 < text.size() && text[pos] == '+' && text[pos + 1] != '-' && text[pos + 1] != '+')
  {
    ++pos;
  }
  double value = 0.0;
  const char* first = text.data() + pos;
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end == first || std::isnan(value))
  {
    return std::nullopt;
  }
  return RoundToSingle(value);
}

std::string PresetDisplayName(std::string_view path)
{
  const size_t separator = path.find_last_of("/\\");
  std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string_view::npos)
  {
    name = name.substr(0, dot);
  }
  if (name.size() > kDisplayNameLimit)
  {
    return std::string(name.substr(0, kDisplayNameLimit)) + "...";
  }
  return std::string(name);
}

std::optional<std::string> ReadPresetLastLine(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open())
  {
    return std::nullopt;
  }
  // Each read replaces the previous line; a final line break leaves one more,
  // empty line behind it.
  std::string line;
  while (!in.eof() && !in.fail())
  {
    std::getline(in, line);
  }
  return line;
}

bool WritePresetFile(const std::string& path, const std::string& text)
{
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open())
  {
    return false;
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return !out.fail();
}
