#include "vst2/VstHostString.h"

#include <cstring>

void CopyHostString(char* destination, const char* source, std::size_t capacity)
{
  if (!destination || capacity == 0)
    return;
  std::size_t length = 0;
  if (source)
  {
    while (length < capacity - 1 && source[length] != '\0')
      ++length;
    std::memcpy(destination, source, length);
  }
  destination[length] = '\0';
}
