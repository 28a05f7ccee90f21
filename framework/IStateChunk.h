#pragma once

#include <cstdint>

// Growable byte buffer of serialised state. Values are stored little-endian,
// doubles as IEEE-754. A growth that cannot be allocated leaves the contents
// and size as they were and is reported by a false result.
class IStateChunk
{
public:
  // Capacity grows in whole multiples of this many bytes.
  static constexpr int32_t kGranularity = 4096;

  IStateChunk() = default;
  ~IStateChunk();

  IStateChunk(IStateChunk&& other) noexcept;
  IStateChunk& operator=(IStateChunk&& other) noexcept;
  IStateChunk(const IStateChunk&) = delete;
  IStateChunk& operator=(const IStateChunk&) = delete;

  bool AppendDouble(double value);
  bool AppendInt32(int32_t value);
  bool AppendByte(uint8_t value);
  bool AppendBytes(const void* data, int32_t count);

  // Each read returns the position after the value, or -1 (and leaves `out`
  // alone) when the value does not lie wholly inside the chunk.
  int32_t ReadDouble(int32_t pos, double& out) const;
  int32_t ReadInt32(int32_t pos, int32_t& out) const;
  int32_t ReadByte(int32_t pos, uint8_t& out) const;
  int32_t ReadBytes(int32_t pos, void* out, int32_t count) const;

  // Sets the used size; bytes added by growing are zero.
  bool Resize(int32_t newSize);
  // Empties the chunk and keeps its capacity.
  void Clear() { size = 0; }

  uint8_t* GetBytes() { return bytes; }
  const uint8_t* GetBytes() const { return bytes; }
  int32_t Size() const { return size; }
  int32_t Capacity() const { return capacity; }

private:
  bool Reserve(int64_t needed);

  uint8_t* bytes = nullptr;
  int32_t capacity = 0;
  int32_t size = 0;
};
