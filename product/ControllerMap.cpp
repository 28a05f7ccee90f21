#include "product/ControllerMap.h"

#include "engine/EngineParameterTable.h"

int32_t ControllerParameter(uint8_t controller)
{
  switch (controller)
  {
    case 1:
      return kMainOutputBlend;
    case 2:
      return kMainFxOffOn;
    case 3:
      return kMainInputGain;
    case 7:
      return kMainOutputVolume;
    case 8:
      return kQuillwaveBandwidth;
    case 9:
      return kQuillwaveCenter;
    case 10:
      return kQuillwaveFeedback;
    case 11:
      return kQuillwaveRate;
    case 12:
      return kQuillwaveMode;
    case 13:
      return kSaturationGain;
    case 14:
      return kFilterTone;
    default:
      return -1;
  }
}
