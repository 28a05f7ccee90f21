#pragma once

// The few records of the LADSPA C interface that the benchmark uses to run a
// peer plug-in, declared from the published ABI (ladspa.h, version 1.1).

extern "C"
{

typedef float LADSPA_Data;
typedef void* LADSPA_Handle;
typedef int LADSPA_Properties;
typedef int LADSPA_PortDescriptor;
typedef int LADSPA_PortRangeHintDescriptor;

struct LADSPA_PortRangeHint
{
  LADSPA_PortRangeHintDescriptor HintDescriptor;
  LADSPA_Data LowerBound;
  LADSPA_Data UpperBound;
};

struct LADSPA_Descriptor
{
  unsigned long UniqueID;
  const char* Label;
  LADSPA_Properties Properties;
  const char* Name;
  const char* Maker;
  const char* Copyright;
  unsigned long PortCount;
  const LADSPA_PortDescriptor* PortDescriptors;
  const char* const* PortNames;
  const LADSPA_PortRangeHint* PortRangeHints;
  void* ImplementationData;
  LADSPA_Handle (*instantiate)(const LADSPA_Descriptor* descriptor, unsigned long sampleRate);
  void (*connect_port)(LADSPA_Handle instance, unsigned long port, LADSPA_Data* location);
  void (*activate)(LADSPA_Handle instance);
  void (*run)(LADSPA_Handle instance, unsigned long sampleCount);
  void (*run_adding)(LADSPA_Handle instance, unsigned long sampleCount);
  void (*set_run_adding_gain)(LADSPA_Handle instance, LADSPA_Data gain);
  void (*deactivate)(LADSPA_Handle instance);
  void (*cleanup)(LADSPA_Handle instance);
};

typedef const LADSPA_Descriptor* (*LADSPA_Descriptor_Function)(unsigned long index);

}  // extern "C"

constexpr LADSPA_PortDescriptor kLadspaPortInput = 0x1;
constexpr LADSPA_PortDescriptor kLadspaPortOutput = 0x2;
constexpr LADSPA_PortDescriptor kLadspaPortControl = 0x4;
constexpr LADSPA_PortDescriptor kLadspaPortAudio = 0x8;

constexpr LADSPA_PortRangeHintDescriptor kLadspaHintBoundedBelow = 0x1;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintBoundedAbove = 0x2;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintSampleRate = 0x8;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintLogarithmic = 0x10;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefaultMask = 0x3C0;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefaultMinimum = 0x40;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefaultLow = 0x80;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefaultMiddle = 0xC0;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefaultHigh = 0x100;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefaultMaximum = 0x140;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefault0 = 0x200;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefault1 = 0x240;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefault100 = 0x280;
constexpr LADSPA_PortRangeHintDescriptor kLadspaHintDefault440 = 0x2C0;
