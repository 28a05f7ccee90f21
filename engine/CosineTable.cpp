#include "engine/CosineTable.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

void CosineTableBuild(DataBuffer& table)
{
  constexpr double kPi = 3.141592653589793;
  auto* entries = static_cast<double*>(std::malloc(kCosineTableSize * sizeof(double)));
  if (entries == nullptr)
  {
    std::fprintf(stderr, "out of memory\n");
    return;
  }
  for (int32_t j = 0; j < kCosineTableSize; ++j)
  {
    entries[j] = std::cos(((j * kPi) * 2.0) / kCosineTableSize);
  }
  table.data = entries;
  table.frames = kCosineTableSize;
  table.channels = 1;
}
