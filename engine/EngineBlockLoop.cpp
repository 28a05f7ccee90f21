#include "engine/EngineBlockLoop.h"

#include "engine/CosineTable.h"
#include "engine/InputRouting.h"
#include "engine/InstructionSetVariant.h"
#include "engine/SignalGuards.h"
#include "engine/ToneFilter.h"
#include "engine/VectorTanh.h"

#include <algorithm>
#include <emmintrin.h>

// A block runs in chunks of up to kChunkFrames frames, each in three stages:
// the recursive front (routing, delays, tone filter, saturator drive) frame
// by frame; the tanh of the whole chunk in one vectorised batch; the
// recursive back (smoothing, DC blocker, output, limit) frame by frame.
// The tanh arguments need nothing from the back, so the result is the same
// as running every step frame by frame. All inputs of a chunk are read
// before any output of it is written, so outputs may be the inputs.
//
// Both paths run as the two lanes of a pair, delays and oscillator lookups
// included; the loops are specialised on the routing, the delay switch and
// what the output takes, so no per-frame branch remains for them.
//
// This file is compiled once per instruction set (InstructionSetVariant.h).

namespace
{

constexpr int32_t kChunkFrames = 64;

// What the back needs of each frame besides the shaped values.
enum class Carry
{
  kDry,     // effect on with the saturator in: the dry pair for the blend
  kMix,     // effect on, saturator out: the finished output before the limit
  kInput,   // bypass: the untouched input
  kNothing  // silence
};

// Stores both lanes with one 16-byte store.
inline void Store(double* to, StereoPair pair)
{
  _mm_storeu_pd(to, pair);
}

// Both oscillators' cosine lookups (CosineTable.h) as a pair.
inline StereoPair LookupPair(const double* table, uint32_t phaseA, uint32_t phaseB)
{
  const uint32_t indexA = phaseA >> 18;
  const uint32_t indexB = phaseB >> 18;
  constexpr uint32_t kWrap = kCosineTableSize - 1;
  const StereoPair current{table[indexA], table[indexB]};
  const StereoPair next{table[(indexA + 1) & kWrap], table[(indexB + 1) & kWrap]};
  const __m128i low =
      _mm_set_epi32(0, 0, static_cast<int>(phaseB & 0x3FFFFu), static_cast<int>(phaseA & 0x3FFFFu));
  const StereoPair frac = _mm_cvtepi32_pd(low) * Broadcast(3.81471181759574e-06);
  return current + (next - current) * frac;
}

// Where both delay reads (DelayLineRead in DelayLine.h) fall, as a pair:
// the index of the earlier sample of each line and the interpolation
// fraction, for the shortest delay the positions allow. None of it depends
// on the signal, so a chunk's positions are found before its samples.
struct ReadPosition
{
  int32_t index[2];
  StereoPair frac;
};

inline ReadPosition FindReads(const DelayPair& lines, int32_t readPos, StereoPair delay,
                              StereoPair minimum)
{
  // The processor's max returns `minimum` for a NaN delay; at equality it
  // may return the other signed zero, which leaves the position unchanged.
  const StereoPair raised = _mm_max_pd(delay, minimum);
  const StereoPair maximum = Broadcast(static_cast<double>(lines.maxDelay));
  const StereoPair clamped = raised > maximum ? maximum : raised;
  const StereoPair position = Broadcast(static_cast<double>(lines.size + readPos)) - clamped;
  const __m128i index = _mm_cvttpd_epi32(position);
  ReadPosition read;
  read.frac = position - _mm_cvtepi32_pd(index);
  read.index[0] = _mm_cvtsi128_si32(index);
  read.index[1] = _mm_cvtsi128_si32(_mm_shuffle_epi32(index, 1));
  return read;
}

inline StereoPair ReadPair(const DelayPair& lines, const ReadPosition& read)
{
  const int32_t indexA = read.index[0];
  const int32_t indexB = read.index[1];
  const StereoPair current{lines.memory[0][indexA & lines.mask],
                           lines.memory[1][indexB & lines.mask]};
  const StereoPair next{lines.memory[0][(indexA + 1) & lines.mask],
                        lines.memory[1][(indexB + 1) & lines.mask]};
  return current + (next - current) * read.frac;
}

// Hard limit at +-1.2; NaN passes unchanged. The processor's max and min
// return their second operand unless the first is the larger (smaller), so
// a NaN value is chosen.
inline StereoPair Limit(StereoPair value)
{
  return _mm_min_pd(Broadcast(1.2), _mm_max_pd(Broadcast(-1.2), value));
}

struct ChunkScratch
{
  ReadPosition reads[kChunkFrames];
  double shapes[kChunkFrames * 4];
  StereoPair carry[kChunkFrames];
};

template <InputRouting kRouting, bool kDelays, Carry kCarry>
void Front(EngineBlockJob& job, int32_t start, int32_t frames, ChunkScratch& scratch)
{
  const EngineBlockConstants& constants = *job.constants;
  const double* const input1 = job.input1 + start;
  const double* const input2 = job.input2 + start;
  const double* const table = job.cosineTable;
  DelayPair lines = job.delays;
  uint32_t phaseA = job.phaseA;
  uint32_t phaseB = job.phaseB;
  // A copy the compiler can keep in registers: the delay lines' stores
  // could otherwise alias the constants.
  const ToneConstants toneConstants = constants.tone;
  StereoPair tone = job.memories.tone;
  StereoPair driven = job.memories.saturator.drivenInput;
  const StereoPair inputGain = Broadcast(constants.inputGain);
  const StereoPair depth = Broadcast(constants.depth);
  const StereoPair centre = Broadcast(constants.centre);
  const StereoPair feedback = Broadcast(constants.feedback);
  const StereoPair driveGain = Broadcast(constants.driveGain);

  if constexpr (kDelays)
  {
    // The oscillators and read positions of the whole chunk. The
    // minimum delay is 0 until the lines are first written and 1 from
    // then on (the write position then trails the read position).
    StereoPair minimum = Broadcast(lines.readPos != lines.writePos ? 1.0 : 0.0);
    int32_t readPos = lines.readPos;
    for (int32_t j = 0; j < frames; ++j)
    {
      const StereoPair value = LookupPair(table, phaseA, phaseB);
      phaseA += constants.incrementA;
      phaseB += constants.incrementB;
      scratch.reads[j] = FindReads(lines, readPos, value * depth + centre, minimum);
      minimum = Broadcast(1.0);
      readPos = (readPos + 1) & lines.mask;
    }
  }

  for (int32_t j = 0; j < frames; ++j)
  {
    const StereoPair input{input1[j], input2[j]};
    const StereoPair dry = RouteInputs(kRouting, input) * inputGain;
    StereoPair delayed = dry;
    if constexpr (kDelays)
    {
      const StereoPair wet = ReadPair(lines, scratch.reads[j]);
      // Negative feedback: the delayed signal is subtracted from what
      // enters the line.
      const StereoPair entering = FlushTiny(dry - feedback * wet);
      lines.memory[0][lines.readPos] = entering[0];
      lines.memory[1][lines.readPos] = entering[1];
      lines.writePos = lines.readPos;
      delayed = dry + wet;
    }
    // The lines move on whether or not they were read or written.
    lines.readPos = (lines.readPos + 1) & lines.mask;

    const StereoPair filtered = ToneFilterProcess(tone, delayed, toneConstants);
    // The saturator runs whether or not it is switched in, so its
    // memories are current when it is.
    SaturatorMemory<StereoPair> arguments{driven, {}, {}, {}, {}};
    StereoPair whole;
    StereoPair half;
    SaturatorArguments(arguments, filtered * driveGain, whole, half);
    driven = arguments.drivenInput;
    Store(scratch.shapes + 4 * j, whole);
    Store(scratch.shapes + 4 * j + 2, half);
    if constexpr (kCarry == Carry::kDry)
    {
      scratch.carry[j] = dry;
    }
    else if constexpr (kCarry == Carry::kMix)
    {
      scratch.carry[j] =
          ((filtered - dry) * Broadcast(constants.blend) + dry) * Broadcast(constants.outputGain);
    }
    else if constexpr (kCarry == Carry::kInput)
    {
      scratch.carry[j] = input;
    }
  }
  job.delays = lines;
  job.phaseA = phaseA;
  job.phaseB = phaseB;
  job.memories.tone = tone;
  job.memories.saturator.drivenInput = driven;
}

template <Carry kCarry>
void Back(EngineBlockJob& job, int32_t start, int32_t frames, const ChunkScratch& scratch)
{
  const EngineBlockConstants& constants = *job.constants;
  double* const output1 = job.output1 + start;
  double* const output2 = job.output2 + start;
  SaturatorMemory<StereoPair> saturator = job.memories.saturator;
  const StereoPair makeUpGain = Broadcast(constants.makeUpGain);
  const StereoPair blend = Broadcast(constants.blend);
  const StereoPair outputGain = Broadcast(constants.outputGain);

  const auto finish = [&](int32_t j) {
    const StereoPair blocked = SaturatorFinish(saturator, LoadPair(scratch.shapes + 4 * j),
                                               LoadPair(scratch.shapes + 4 * j + 2));
    StereoPair output = Broadcast(0.0);
    if constexpr (kCarry == Carry::kDry)
    {
      const StereoPair dry = scratch.carry[j];
      output = ((blocked * makeUpGain - dry) * blend + dry) * outputGain;
    }
    else if constexpr (kCarry != Carry::kNothing)
    {
      output = scratch.carry[j];
    }
    return Limit(output);
  };
  // Two frames at a time, so each output takes one 16-byte store per pair
  // of frames.
  int32_t j = 0;
  for (; j + 2 <= frames; j += 2)
  {
    const StereoPair first = finish(j);
    const StereoPair second = finish(j + 1);
    _mm_storeu_pd(output1 + j, _mm_unpacklo_pd(first, second));
    _mm_storeu_pd(output2 + j, _mm_unpackhi_pd(first, second));
  }
  if (j < frames)
  {
    const StereoPair output = finish(j);
    output1[j] = output[0];
    output2[j] = output[1];
  }
  job.memories.saturator = saturator;
}

template <InputRouting kRouting, bool kDelays, Carry kCarry>
void RunChunks(EngineBlockJob& job)
{
  ChunkScratch scratch;
  for (int32_t done = 0; done < job.frames;)
  {
    const int32_t frames = std::min(kChunkFrames, job.frames - done);
    Front<kRouting, kDelays, kCarry>(job, done, frames, scratch);
    TanhArray(scratch.shapes, frames * 4);
    Back<kCarry>(job, done, frames, scratch);
    done += frames;
  }
}

template <InputRouting kRouting, bool kDelays>
void RunWithCarry(EngineBlockJob& job)
{
  const EngineBlockConstants& constants = *job.constants;
  switch (constants.output)
  {
    case OutputSelection::kProcessed:
      if (constants.saturatorOn)
      {
        RunChunks<kRouting, kDelays, Carry::kDry>(job);
      }
      else
      {
        RunChunks<kRouting, kDelays, Carry::kMix>(job);
      }
      return;
    case OutputSelection::kBypass:
      RunChunks<kRouting, kDelays, Carry::kInput>(job);
      return;
    case OutputSelection::kSilence:
      RunChunks<kRouting, kDelays, Carry::kNothing>(job);
      return;
  }
}

template <InputRouting kRouting>
void RunWithRouting(EngineBlockJob& job)
{
  if (job.constants->delayStageOn)
  {
    RunWithCarry<kRouting, true>(job);
  }
  else
  {
    RunWithCarry<kRouting, false>(job);
  }
}

}  // namespace

void ENGINE_ISA_NAME(EngineRunBlock)(EngineBlockJob& job)
{
  switch (job.constants->routing)
  {
    case kInputStereo:
      RunWithRouting<kInputStereo>(job);
      return;
    case kInputLeft:
      RunWithRouting<kInputLeft>(job);
      return;
    case kInputRight:
      RunWithRouting<kInputRight>(job);
      return;
    case kInputSum:
      RunWithRouting<kInputSum>(job);
      return;
  }
}
