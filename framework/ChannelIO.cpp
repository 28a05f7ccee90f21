#include "framework/ChannelIO.h"

#include <cctype>
#include <cstdint>
#include <cstring>

namespace
{
// Reads an optionally signed decimal after leading white space, as "%d"
// would, but saturates instead of overflowing. Returns false when no digit is
// found; `text` then stays where it was.
bool ReadCount(const char*& text, int32_t& out)
{
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-')
    negative = *p++ == '-';
  if (!std::isdigit(static_cast<unsigned char>(*p)))
    return false;
  int64_t value = 0;
  while (std::isdigit(static_cast<unsigned char>(*p)))
  {
    if (value <= INT32_MAX)
      value = value * 10 + (*p - '0');
    ++p;
  }
  if (value > INT32_MAX)
    value = INT32_MAX;
  // A negative channel count means nothing; it reads as none.
  out = negative ? 0 : static_cast<int32_t>(value);
  text = p;
  return true;
}

IChannelConfig ReadPair(const char* text)
{
  IChannelConfig pair;
  if (ReadCount(text, pair.inputs) && *text == '-')
  {
    ++text;
    ReadCount(text, pair.outputs);
  }
  return pair;
}
}  // namespace

std::vector<IChannelConfig> ParseChannelIO(const char* text)
{
  std::vector<IChannelConfig> configs;
  const char* pos = text ? text : "";
  for (;;)
  {
    configs.push_back(ReadPair(pos));
    if (*pos == '\0')
      break;
    const char* space = std::strchr(pos + 1, ' ');
    if (!space)
      break;
    pos = space + 1;
    // Trailing white space ends the list rather than adding an empty pair.
    while (std::isspace(static_cast<unsigned char>(*pos)))
      ++pos;
    if (*pos == '\0')
      break;
  }
  return configs;
}

bool ChannelIOAllows(const std::vector<IChannelConfig>& configs, int inputs, int outputs)
{
  for (const IChannelConfig& config : configs)
  {
    if ((inputs < 0 || inputs == config.inputs) && (outputs < 0 || outputs == config.outputs))
      return true;
  }
  return false;
}
