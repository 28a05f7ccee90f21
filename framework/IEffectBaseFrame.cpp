#include "framework/IEffectBase.h"

#include "framework/FloatConversion.h"
#include "framework/ITrace.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace
{
// The channels [first, first + count) of `size`, count -1 meaning to the end.
int RangeEnd(int first, int count, int size)
{
  if (count < 0)
    return size;
  return static_cast<int>(std::min<int64_t>(static_cast<int64_t>(first) + count, size));
}
}  // namespace

void IEffectBase::ResizeBlock(int frames)
{
  ITrace(__func__, "%d", frames);
  IMutexLock lock(mutex);
  if (frames < 0 || frames == blockSize)
    return;
  // All or nothing: a failed allocation leaves every buffer and the block size as they were.
  std::vector<std::vector<double>> inputScratch;
  std::vector<std::vector<double>> outputScratch;
  try
  {
    inputScratch.assign(inputChannels.size(),
                        std::vector<double>(static_cast<size_t>(frames), 0.0));
    outputScratch.assign(outputChannels.size(),
                         std::vector<double>(static_cast<size_t>(frames), 0.0));
  }
  catch (const std::bad_alloc&)
  {
    return;
  }
  for (size_t i = 0; i < inputChannels.size(); ++i)
  {
    inputChannels[i].scratch.swap(inputScratch[i]);
    *inputChannels[i].data = inputChannels[i].scratch.data();
  }
  for (size_t i = 0; i < outputChannels.size(); ++i)
  {
    outputChannels[i].scratch.swap(outputScratch[i]);
    *outputChannels[i].data = outputChannels[i].scratch.data();
  }
  blockSize = frames;
}

void IEffectBase::SetInputConnected(int channel, bool connected)
{
  IInputChannel* input = GetInputChannel(channel);
  if (!input)
    return;
  if (input->connected && !connected)
  {
    // What the host fed the channel last must not linger in the processing.
    std::fill(input->scratch.begin(), input->scratch.end(), 0.0);
  }
  input->connected = connected;
  if (!connected)
  {
    input->source = nullptr;
    input->hostBuffer = nullptr;
    *input->data = input->scratch.data();
  }
}

void IEffectBase::SetOutputConnected(int channel, bool connected)
{
  IOutputChannel* output = GetOutputChannel(channel);
  if (!output)
    return;
  output->connected = connected;
  if (!connected)
  {
    output->destination = nullptr;
    output->hostBuffer = nullptr;
    *output->data = output->scratch.data();
  }
}

void IEffectBase::AttachInputBuffers(const float* const* buffers, int first, int count)
{
  int next = 0;
  for (int i = std::max(first, 0); i < RangeEnd(first, count, GetInputChannelCount()); ++i)
  {
    IInputChannel& input = inputChannels[static_cast<size_t>(i)];
    input.hostBuffer = nullptr;
    input.source = input.connected && buffers ? buffers[next++] : nullptr;
  }
}

void IEffectBase::AttachInputBuffers(double* const* buffers, int first, int count)
{
  int next = 0;
  for (int i = std::max(first, 0); i < RangeEnd(first, count, GetInputChannelCount()); ++i)
  {
    IInputChannel& input = inputChannels[static_cast<size_t>(i)];
    input.source = nullptr;
    input.hostBuffer = input.connected && buffers ? buffers[next++] : nullptr;
  }
}

void IEffectBase::AttachOutputBuffers(float* const* buffers, int first, int count)
{
  int next = 0;
  for (int i = std::max(first, 0); i < RangeEnd(first, count, GetOutputChannelCount()); ++i)
  {
    IOutputChannel& output = outputChannels[static_cast<size_t>(i)];
    output.hostBuffer = nullptr;
    output.destination = output.connected && buffers ? buffers[next++] : nullptr;
  }
}

void IEffectBase::AttachOutputBuffers(double* const* buffers, int first, int count)
{
  int next = 0;
  for (int i = std::max(first, 0); i < RangeEnd(first, count, GetOutputChannelCount()); ++i)
  {
    IOutputChannel& output = outputChannels[static_cast<size_t>(i)];
    output.destination = nullptr;
    output.hostBuffer = output.connected && buffers ? buffers[next++] : nullptr;
  }
}

void IEffectBase::ProcessFrame(int frames, FloatOutput mode)
{
  if (frames > 0)
  {
    if (blockSize <= 0)
    {
      SilenceOutputs(frames, mode);
    }
    else
    {
      // The scratch buffers hold one block; a longer host block (which the
      // host promised not to send) is processed in pieces.
      for (int offset = 0; offset < frames; offset += blockSize)
        ProcessPiece(offset, std::min(blockSize, frames - offset), mode);
    }
  }
  // Host buffers are valid for this block only: nothing may keep pointing at them.
  for (IInputChannel& input : inputChannels)
  {
    input.source = nullptr;
    input.hostBuffer = nullptr;
    *input.data = input.scratch.data();
  }
  for (IOutputChannel& output : outputChannels)
  {
    output.destination = nullptr;
    output.hostBuffer = nullptr;
    *output.data = output.scratch.data();
  }
}

void IEffectBase::ProcessPiece(int offset, int frames, FloatOutput mode)
{
  const size_t count = static_cast<size_t>(frames);
  for (IInputChannel& input : inputChannels)
  {
    if (input.connected && input.source)
    {
      std::copy_n(input.source + offset, count, input.scratch.begin());
      *input.data = input.scratch.data();
    }
    else if (input.connected && input.hostBuffer)
    {
      *input.data = input.hostBuffer + offset;
    }
    else
    {
      if (input.connected)
        std::fill_n(input.scratch.begin(), count, 0.0);  // the host gave no buffer
      *input.data = input.scratch.data();
    }
  }
  for (IOutputChannel& output : outputChannels)
    *output.data =
        output.connected && output.hostBuffer ? output.hostBuffer + offset : output.scratch.data();

  if (IsBypassed())
  {
    if (latency > 0 && bypassDelayLine)
    {
      bypassDelayLine->Process(inputData.data(), outputData.data(), frames);
      // Outputs without a matching input carry silence, as in the pass-through.
      for (size_t i = inputData.size(); i < outputData.size(); ++i)
        std::fill_n(outputData[i], count, 0.0);
    }
    else
    {
      PassThrough(inputData.data(), outputData.data(), frames);
    }
  }
  else
  {
    ProcessDouble(inputData.data(), outputData.data(), frames);
  }

  for (IOutputChannel& output : outputChannels)
  {
    if (!output.connected || !output.destination)
      continue;
    float* destination = output.destination + offset;
    const double* processed = output.scratch.data();
    if (mode == FloatOutput::Accumulate)
    {
      for (size_t t = 0; t < count; ++t)
        destination[t] += ToFloat(processed[t]);
    }
    else
    {
      for (size_t t = 0; t < count; ++t)
        destination[t] = ToFloat(processed[t]);
    }
  }
}

void IEffectBase::SilenceOutputs(int frames, FloatOutput mode)
{
  const size_t count = static_cast<size_t>(frames);
  for (IOutputChannel& output : outputChannels)
  {
    if (!output.connected)
      continue;
    if (output.hostBuffer)
      std::fill_n(output.hostBuffer, count, 0.0);
    if (output.destination && mode == FloatOutput::Replace)
      std::fill_n(output.destination, count, 0.0f);
  }
}

void IEffectBase::PassThrough(double* const* inputs, double* const* outputs, int frames)
{
  const size_t count = static_cast<size_t>(std::max(frames, 0));
  for (size_t i = 0; i < outputChannels.size(); ++i)
  {
    if (i < inputChannels.size())
    {
      if (inputs[i] != outputs[i])
        std::memmove(outputs[i], inputs[i], count * sizeof(double));
    }
    else
    {
      std::fill_n(outputs[i], count, 0.0);
    }
  }
}

void IEffectBase::ZeroScratchBuffers()
{
  for (IInputChannel& input : inputChannels)
    std::fill(input.scratch.begin(), input.scratch.end(), 0.0);
  for (IOutputChannel& output : outputChannels)
    std::fill(output.scratch.begin(), output.scratch.end(), 0.0);
}
