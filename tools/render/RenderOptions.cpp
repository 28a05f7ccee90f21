#include "tools/render/RenderOptions.h"

#include <charconv>

namespace
{

bool ParseMidiByte(const std::string& text, uint8_t& value)
{
  int number = -1;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, number);
  if (result.ec != std::errc() || result.ptr != end || number < 0 || number > 127)
    return false;
  value = static_cast<uint8_t>(number);
  return true;
}

}  // namespace

bool ParseTimedController(const std::string& text, TimedController& controller, std::string& error)
{
  const size_t colon = text.find(':');
  const size_t equals = text.find('=', colon == std::string::npos ? 0 : colon);
  if (colon == std::string::npos || equals == std::string::npos)
  {
    error = "'" + text + "' is not SECONDS:CONTROLLER=VALUE";
    return false;
  }
  if (!ParseFiniteNumber(text.substr(0, colon), controller.seconds) || controller.seconds < 0.0)
  {
    error = "bad time in '" + text + "': seconds from the start, 0 or more";
    return false;
  }
  if (!ParseMidiByte(text.substr(colon + 1, equals - colon - 1), controller.controller) ||
      !ParseMidiByte(text.substr(equals + 1), controller.value))
  {
    error = "bad controller in '" + text + "': controller and value are 0 to 127";
    return false;
  }
  return true;
}
