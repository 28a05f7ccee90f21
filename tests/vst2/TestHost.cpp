#include "tests/vst2/TestHost.h"

#include <cstring>

namespace
{

TestHost* current = nullptr;

}  // namespace

TestHost::TestHost()
{
  current = this;
}

TestHost::~TestHost()
{
  if (current == this)
    current = nullptr;
}

VstIntPtr VSTCALLBACK TestHost::Callback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 index,
                                         VstIntPtr value, void* ptr, float opt)
{
  if (!current)
    return 0;
  current->calls.push_back(Call{opcode, index, value, opt});
  return current->Answer(opcode, ptr);
}

VstIntPtr TestHost::Answer(VstInt32 opcode, void* ptr)
{
  switch (opcode)
  {
    case audioMasterGetTime:
      return hasTime ? reinterpret_cast<VstIntPtr>(&time) : 0;
    case audioMasterGetProductString:
      // A host writes at most kVstMaxProductStrLen bytes.
      std::strncpy(static_cast<char*>(ptr), productString.c_str(), kVstMaxProductStrLen - 1);
      return 1;
    case audioMasterGetVendorVersion:
      return vendorVersion;
    case audioMasterGetCurrentProcessLevel:
      return processLevel;
    case audioMasterProcessEvents:
    {
      const auto* events = static_cast<const VstEvents*>(ptr);
      for (VstInt32 i = 0; i < events->numEvents; ++i)
      {
        const VstEvent* event = events->events[i];
        if (event->type == kVstMidiType)
        {
          midiOut.push_back(*reinterpret_cast<const VstMidiEvent*>(event));
        }
        else if (event->type == kVstSysExType)
        {
          const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
          const auto* bytes = reinterpret_cast<const uint8_t*>(sysex->sysexDump);
          sysexOut.emplace_back(bytes, bytes + sysex->dumpBytes);
          sysexByteSizes.push_back(sysex->byteSize);
        }
      }
      return processEventsAnswer;
    }
    default:
      return 0;
  }
}

int TestHost::Count(VstInt32 opcode) const
{
  int count = 0;
  for (const Call& call : calls)
    count += call.opcode == opcode ? 1 : 0;
  return count;
}

const TestHost::Call* TestHost::Last(VstInt32 opcode) const
{
  for (auto it = calls.rbegin(); it != calls.rend(); ++it)
  {
    if (it->opcode == opcode)
      return &*it;
  }
  return nullptr;
}

VstIntPtr Dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt)
{
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}
