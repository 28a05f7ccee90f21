#pragma once

// Where a parameter change comes from. The source decides who else hears of
// it (IEffectBase::ChangeParameter).
enum class ParamSource
{
  // Host automation or a value the host typed in.
  Host,
  // A control of the plug-in's editor.
  Editor,
  // A MIDI controller.
  Controller,
  // A preset file the product read.
  PresetFile,
  // A restored state, or a value the plug-in keeps for itself.
  State,
};

// The form of a changed value.
enum class ParamForm
{
  // 0 to 1 across the range, shaped as the parameter says.
  Normalized,
  // The parameter's own value, limited to its range.
  Plain,
};
