#pragma once

#include "engine/SignalGuards.h"
#include "engine/StereoPair.h"

#include <cmath>

// How the two host inputs feed the two paths, from MainInputMode. The
// positions carry the switch labels L/R, LEF, RIG and L+R. The mono positions
// feed both paths the same source, so the two sides differ only by their
// oscillators; the sum is halved so a centred mono signal keeps its level.
// The bypass output is always the untouched stereo input.
enum InputRouting : int
{
  kInputStereo = 0,  // input 1 to path 1, input 2 to path 2
  kInputLeft = 1,    // input 1 to both paths
  kInputRight = 2,   // input 2 to both paths
  kInputSum = 3      // (input 1 + input 2) / 2 to both paths
};

// A mode value selects the position of its integer part after the
// non-finite guard (NaN and infinities count as 0), limited to 0..3.
inline InputRouting InputRoutingFor(double modeValue)
{
  const double position = std::trunc(GuardNonFinite(modeValue));
  if (position >= 3.0)
  {
    return kInputSum;
  }
  if (position >= 2.0)
  {
    return kInputRight;
  }
  if (position >= 1.0)
  {
    return kInputLeft;
  }
  return kInputStereo;
}

// The sources of path 1 and path 2 (lanes 0 and 1) for the host inputs.
inline StereoPair RouteInputs(InputRouting routing, StereoPair input)
{
  switch (routing)
  {
    case kInputStereo:
      break;
    case kInputLeft:
      return Broadcast(input[0]);
    case kInputRight:
      return Broadcast(input[1]);
    case kInputSum:
      return Broadcast((input[0] + input[1]) * 0.5);
  }
  return input;
}
