#pragma once

#include <cstdint>

// A system-exclusive message; the bytes belong to the host and are valid only
// during the call that passes the record.
struct ISysExMessage
{
  int32_t offset = 0;
  int32_t size = 0;
  const uint8_t* data = nullptr;
};
