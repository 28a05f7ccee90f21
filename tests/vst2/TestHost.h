#pragma once

#include "vst2/Vst24Interface.h"

#include <cstdint>
#include <string>
#include <vector>

// A VST2 host callback that records what the plug-in asks and answers from fields a test
// sets. One TestHost is the current host at a time: the callback is a plain function.
class TestHost
{
public:
  struct Call
  {
    VstInt32 opcode = 0;
    VstInt32 index = 0;
    VstIntPtr value = 0;
    float opt = 0.0f;
  };

  TestHost();
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  static VstIntPtr VSTCALLBACK Callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                        VstIntPtr value, void* ptr, float opt);

  int Count(VstInt32 opcode) const;
  const Call* Last(VstInt32 opcode) const;

  std::vector<Call> calls;

  // Answers.
  bool hasTime = false;
  VstTimeInfo time{};
  std::string productString;
  VstIntPtr vendorVersion = 0;
  VstIntPtr processLevel = 0;
  VstIntPtr processEventsAnswer = 1;

  // Events the plug-in sent, copied out of the records it passed.
  std::vector<VstMidiEvent> midiOut;
  std::vector<std::vector<uint8_t>> sysexOut;
  std::vector<VstInt32> sysexByteSizes;

private:
  VstIntPtr Answer(VstInt32 opcode, void* ptr);
};

// Calls the effect's dispatcher.
VstIntPtr Dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f);
