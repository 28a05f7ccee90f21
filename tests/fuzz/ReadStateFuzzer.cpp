// Host state read back into the product's parameters: ReadState (the
// framework's UnserializeParams) from a start position the input chooses.
//
// Input: one byte (the start position, 0 to 15) and then the chunk.
#include "product/Quillwave.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzHome.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1)
    return 0;
  FuzzPrivateHome();
  auto plugin = std::make_unique<Quillwave>();
  plugin->SetSampleRate(48000.0);
  plugin->ResizeBlock(kFuzzBlockFrames);
  plugin->OnReset();

  const int32_t start = data[0] % 16;
  IStateChunk chunk;
  FuzzCheck(chunk.AppendBytes(data + 1, static_cast<int32_t>(size - 1)),
            "the chunk could not take the input");
  const int32_t next = plugin->ReadState(chunk, start);
  const int32_t blockEnd = start + 8 * plugin->GetParamCount();
  FuzzCheck(next == -1 || next == blockEnd, "ReadState stopped inside the parameter block");
  FuzzCheck((next == -1) == (blockEnd > chunk.Size()), "ReadState misjudged the end of the chunk");
  CheckParametersInRange(*plugin);
  CheckCleanBlock(*plugin);
  return 0;
}
