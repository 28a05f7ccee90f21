#pragma once

// What shows a parameter change made outside the editor: the controls bound
// to the parameter follow it. The plug-in's editor is one; a product may put
// a view of its own in front of it (IEffectBase::SetParameterView).
class IParameterView
{
public:
  // Every control bound to parameter `index` takes `value` (normalised, or
  // plain when isNormalized is false).
  virtual void ApplyParameterFromPlugin(int index, double value, bool isNormalized) = 0;

protected:
  ~IParameterView() = default;
};
