#include "tests/fuzz/FuzzCheck.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

void FuzzCheck(bool condition, const char* what)
{
  if (condition)
    return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

void CheckParametersInRange(const IEffectBase& plugin)
{
  for (int i = 0; i < plugin.GetParamCount(); ++i)
  {
    const IParameter& param = *plugin.GetParam(i);
    if (!(param.Value() >= param.Min() && param.Value() <= param.Max()))
    {
      std::fprintf(stderr, "parameter %d (%s) holds %g outside %g..%g\n", i, param.GetNameForHost(),
                   param.Value(), param.Min(), param.Max());
      FuzzCheck(false, "a parameter left its range");
    }
  }
}

void CheckCleanBlock(IEffectBase& plugin)
{
  double left[kFuzzBlockFrames];
  double right[kFuzzBlockFrames];
  double outLeft[kFuzzBlockFrames];
  double outRight[kFuzzBlockFrames];
  for (int n = 0; n < kFuzzBlockFrames; ++n)
  {
    left[n] = 0.5 * std::sin(0.05 * n);
    right[n] = -left[n];
  }
  double* inputs[2] = {left, right};
  double* outputs[2] = {outLeft, outRight};
  {
    IMutexLock lock(plugin.Mutex());
    plugin.ProcessDouble(inputs, outputs, kFuzzBlockFrames);
  }
  CheckFiniteBlock(outLeft, outRight);
}
