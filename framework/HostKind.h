#pragma once

#include <cstdint>

// The host application, identified from its product name. Values 6, 10, 11
// and 19 are not assigned.
enum class HostKind : int32_t
{
  NotIdentified = -1,
  Unrecognised = 0,
  Reaper = 1,
  ProTools = 2,
  Cubase = 3,
  Nuendo = 4,
  Cakewalk = 5,
  Fruity = 7,
  Samplitude = 8,
  Live = 9,
  Melodyne = 12,
  VstManLib = 13,
  AULab = 14,
  Forte = 15,
  Chainer = 16,
  Audition = 17,
  Orion = 18,
  SawStudio = 20,
  Logic = 21,
  GarageBand = 22,
  DigitalPerformer = 23,
  Standalone = 24,
  AudioMulch = 25,
  Presonus = 26,
  Vst3PluginTestHost = 27,
  Ardour = 28,
};

// Identifies a host from its product name, ignoring letter case. Only the
// first 255 characters are considered; a null or unknown name is Unrecognised.
HostKind LookupHostKind(const char* productName);
