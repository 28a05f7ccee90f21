#include "framework/HostKind.h"

#include <cctype>
#include <cstring>

namespace
{
struct HostKey
{
  const char* key;
  HostKind kind;
};

// Tested in this order; the first key found in the name decides, so a name
// holding both "cubase" and "live" is Cubase.
constexpr HostKey kHostKeys[] = {
    {"cubase", HostKind::Cubase},
    {"reaper", HostKind::Reaper},
    {"nuendo", HostKind::Nuendo},
    {"cakewalk", HostKind::Cakewalk},
    {"samplitude", HostKind::Samplitude},
    {"fruity", HostKind::Fruity},
    {"live", HostKind::Live},
    {"melodyne", HostKind::Melodyne},
    {"vstmanlib", HostKind::VstManLib},
    {"aulab", HostKind::AULab},
    {"garageband", HostKind::GarageBand},
    {"forte", HostKind::Forte},
    {"chainer", HostKind::Chainer},
    {"audition", HostKind::Audition},
    {"orion", HostKind::Orion},
    {"sawstudio", HostKind::SawStudio},
    {"logic", HostKind::Logic},
    {"digital", HostKind::DigitalPerformer},
    {"audiomulch", HostKind::AudioMulch},
    {"presonus", HostKind::Presonus},
    {"vst3plugintesthost", HostKind::Vst3PluginTestHost},
    {"protools", HostKind::ProTools},
    {"ardour", HostKind::Ardour},
    {"standalone", HostKind::Standalone},
};
}  // namespace

HostKind LookupHostKind(const char* productName)
{
  if (!productName)
    return HostKind::Unrecognised;
  char lower[256] = {};
  for (size_t i = 0; i + 1 < sizeof lower && productName[i] != '\0'; ++i)
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(productName[i])));
  for (const HostKey& entry : kHostKeys)
  {
    if (std::strstr(lower, entry.key))
      return entry.kind;
  }
  return HostKind::Unrecognised;
}
