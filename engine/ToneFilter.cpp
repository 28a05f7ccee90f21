#include "engine/ToneFilter.h"

#include <cmath>

ToneConstants ToneConstantsFor(double tonePosition, double sampleRate)
{
  const double t = tonePosition;
  const bool highPass = t >= 0.5;
  const double control = highPass ? (t - 0.5) * 2.0 : 2.0 * t;
  const double cutoff = control * control * control * 19980.0 + 20.0;

  ToneConstants tone;
  const double angle = (cutoff * 3.1415926535898) / sampleRate;
  tone.k = sampleRate > 0.0 && std::isfinite(angle) ? std::tan(angle) : 0.0;
  tone.onePlusK = 1.0 + tone.k;
  tone.highPass = highPass ? 1.0 : 0.0;
  if (t > 0.45 && t <= 0.5)
  {
    tone.fade = 1.0 - (t - 0.45) * 20.0;
  }
  else if (t > 0.5 && t < 0.55)
  {
    tone.fade = (t - 0.5) * 20.0;
  }
  else
  {
    tone.fade = 1.0;
  }
  return tone;
}
