#pragma once

#include <cstdint>

// A four-character code packed into 32 bits with the first character in the
// most significant byte, so 'Pqw6' reads the same in a hex dump of the value.
constexpr int32_t FourCharCode(const char (&code)[5])
{
  const uint32_t packed = (static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24) |
                          (static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16) |
                          (static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8) |
                          static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
  return static_cast<int32_t>(packed);
}
