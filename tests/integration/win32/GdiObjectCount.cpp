#include "tests/integration/win32/GdiObjectCount.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>

namespace
{

// One entry of the table, as on 64-bit Windows.
struct GdiHandleEntry
{
  uint64_t object;
  uint16_t ownerProcess;
  uint16_t ownerCount;
  uint16_t unique;
  uint8_t type;
  uint8_t flags;
  uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the 64-bit GDI handle table entry");

constexpr int kTableEntries = 0x10000;
// GdiSharedHandleTable in the 64-bit process environment block.
constexpr size_t kTableOffset = 0xF8;

}  // namespace

int LiveGdiObjects()
{
  PROCESS_BASIC_INFORMATION process{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                sizeof process, nullptr) != 0 ||
      !process.PebBaseAddress)
    return -1;
  const auto* environment = reinterpret_cast<const char*>(process.PebBaseAddress);
  const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(environment + kTableOffset);
  if (!table)
    return -1;
  const auto owner = static_cast<uint16_t>(GetCurrentProcessId());
  int live = 0;
  for (int i = 0; i < kTableEntries; ++i)
    if (table[i].type != 0 && (table[i].ownerProcess == 0 || table[i].ownerProcess == owner))
      ++live;
  return live;
}
