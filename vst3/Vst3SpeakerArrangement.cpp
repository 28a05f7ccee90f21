#include "vst3/Vst3SpeakerArrangement.h"

Steinberg::Vst::SpeakerArrangement Vst3ArrangementForChannels(int channels)
{
  switch (channels)
  {
    case 1:
      return 0x80000;  // M
    case 2:
      return 0x3;  // L R
    case 3:
      return 0x103;  // L R S
    case 4:
      return 0xF00000;  // first-order ambisonics, ACN 0 to 3
    case 5:
      return 0x37;  // L R C Ls Rs
    case 6:
      return 0x3F;  // L R C Lfe Ls Rs
    default:
      return 0;
  }
}
