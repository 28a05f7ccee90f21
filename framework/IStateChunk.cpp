#include "framework/IStateChunk.h"

#include <cstdlib>
#include <cstring>
#include <utility>

// The chunk layout is little-endian; copying host-order bytes is only right on
// a little-endian host.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "state chunks assume a little-endian host");

IStateChunk::~IStateChunk()
{
  std::free(bytes);
}

IStateChunk::IStateChunk(IStateChunk&& other) noexcept
    : bytes(std::exchange(other.bytes, nullptr)),
      capacity(std::exchange(other.capacity, 0)),
      size(std::exchange(other.size, 0))
{
}

IStateChunk& IStateChunk::operator=(IStateChunk&& other) noexcept
{
  if (this != &other)
  {
    std::free(bytes);
    bytes = std::exchange(other.bytes, nullptr);
    capacity = std::exchange(other.capacity, 0);
    size = std::exchange(other.size, 0);
  }
  return *this;
}

bool IStateChunk::Reserve(int64_t needed)
{
  if (needed <= capacity)
    return true;
  const int64_t rounded = (needed + kGranularity - 1) / kGranularity * kGranularity;
  if (rounded > INT32_MAX)
    return false;
  void* grown = std::realloc(bytes, static_cast<size_t>(rounded));
  if (!grown)
    return false;
  bytes = static_cast<uint8_t*>(grown);
  capacity = static_cast<int32_t>(rounded);
  return true;
}

bool IStateChunk::AppendBytes(const void* data, int32_t count)
{
  if (count < 0 || (count > 0 && !data))
    return false;
  if (!Reserve(static_cast<int64_t>(size) + count))
    return false;
  if (count > 0)
    std::memcpy(bytes + size, data, static_cast<size_t>(count));
  size += count;
  return true;
}

bool IStateChunk::AppendDouble(double value)
{
  return AppendBytes(&value, sizeof value);
}

bool IStateChunk::AppendInt32(int32_t value)
{
  return AppendBytes(&value, sizeof value);
}

bool IStateChunk::AppendByte(uint8_t value)
{
  return AppendBytes(&value, sizeof value);
}

int32_t IStateChunk::ReadBytes(int32_t pos, void* out, int32_t count) const
{
  if (pos < 0 || count < 0 || count > size - pos)
    return -1;
  if (count > 0)
    std::memcpy(out, bytes + pos, static_cast<size_t>(count));
  return pos + count;
}

int32_t IStateChunk::ReadDouble(int32_t pos, double& out) const
{
  return ReadBytes(pos, &out, sizeof out);
}

int32_t IStateChunk::ReadInt32(int32_t pos, int32_t& out) const
{
  return ReadBytes(pos, &out, sizeof out);
}

int32_t IStateChunk::ReadByte(int32_t pos, uint8_t& out) const
{
  return ReadBytes(pos, &out, sizeof out);
}

bool IStateChunk::Resize(int32_t newSize)
{
  if (newSize < 0 || !Reserve(newSize))
    return false;
  if (newSize > size)
    std::memset(bytes + size, 0, static_cast<size_t>(newSize - size));
  size = newSize;
  return true;
}
