#include "vst2/IEffectVST2.h"

// The audio and parameter callbacks of the AEffect record. Each holds the plug-in mutex for
// its whole duration; none of them allocates.

void VSTCALLBACK IEffectVST2::VSTProcess(AEffect* effect, float** inputs, float** outputs,
                                         VstInt32 frames)
{
  if (IEffectVST2* plug = FromEffect(effect))
  {
    plug->ProcessBlock(inputs, outputs, frames, FloatOutput::Accumulate);
  }
}

void VSTCALLBACK IEffectVST2::VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                                  VstInt32 frames)
{
  if (IEffectVST2* plug = FromEffect(effect))
  {
    plug->ProcessBlock(inputs, outputs, frames, FloatOutput::Replace);
  }
}

void VSTCALLBACK IEffectVST2::VSTProcessDoubleReplacing(AEffect* effect, double** inputs,
                                                        double** outputs, VstInt32 frames)
{
  if (IEffectVST2* plug = FromEffect(effect))
  {
    plug->ProcessBlock(inputs, outputs, frames, FloatOutput::Replace);
  }
}

void VSTCALLBACK IEffectVST2::VSTSetParameter(AEffect* effect, VstInt32 index, float value)
{
  if (IEffectVST2* plug = FromEffect(effect))
    plug->SetParameterFromHost(index, value);
}

float VSTCALLBACK IEffectVST2::VSTGetParameter(AEffect* effect, VstInt32 index)
{
  const IEffectVST2* plug = FromEffect(effect);
  return plug ? plug->GetParameterForHost(index) : 0.0f;
}

template <typename Sample>
void IEffectVST2::ProcessBlock(Sample** inputs, Sample** outputs, VstInt32 frames, FloatOutput mode)
{
  IMutexLock lock(Mutex());
  if (DoesMidi())
    CallHost(audioMasterWantMidi, 0, kVstMidiType);
  // Without buffers to write or frames to write there is no block. A missing input array
  // is read as silence; the frame splits a block longer than the block size into pieces.
  if (!outputs || frames <= 0)
    return;
  AttachInputBuffers(inputs);
  AttachOutputBuffers(outputs);
  ProcessFrame(frames, mode);
}

void IEffectVST2::SetParameterFromHost(VstInt32 index, float value)
{
  ChangeParameter(index, value, ParamForm::Normalized, ParamSource::Host);
}

float IEffectVST2::GetParameterForHost(VstInt32 index) const
{
  IMutexLock lock(Mutex());
  const IParameter* const param = GetParam(index);
  return param ? static_cast<float>(param->GetNormalized()) : 0.0f;
}
