#include "engine/Engine.h"

#include "engine/CosineTable.h"
#include "engine/DelayLine.h"
#include "engine/EngineBlockConstants.h"
#include "engine/Saturator.h"
#include "engine/SignalGuards.h"
#include "engine/StereoPair.h"
#include "engine/ToneFilter.h"
#include "engine/VectorTanh.h"

#include <algorithm>

// A block runs in chunks of up to kChunkFrames frames, each in three stages:
// the recursive front (routing, delays, tone filter, saturator drive) frame
// by frame; the tanh of the whole chunk in one vectorised batch; the
// recursive back (smoothing, DC blocker, output, limit) frame by frame.
// The tanh arguments need nothing from the back, so the result is the same
// as running every step frame by frame. All inputs of a chunk are read
// before any output of it is written, so outputs may be the inputs.

namespace {

constexpr int32_t kChunkFrames = 64;

// The saturator and tone memories of both paths, held as pairs for the
// block. Locals also keep the compiler from reloading them after every
// output store, which could otherwise alias them.
struct PathMemories {
    StereoPair tone;
    SaturatorMemory<StereoPair> saturator;
};

PathMemories LoadMemories(const EngineState& state)
{
    const double* const saturator[2] = {state.satState1, state.satState2};
    const double* const dc[2] = {state.dcState1, state.dcState2};
    const auto pair = [](const double* const (&memory)[2], int index) {
        return StereoPair{memory[0][index], memory[1][index]};
    };
    PathMemories memories;
    memories.tone = StereoPair{state.toneState1, state.toneState2};
    memories.saturator.drivenInput = pair(saturator, kSatDrivenInput);
    memories.saturator.wholeSample = pair(saturator, kSatWholeSample);
    memories.saturator.halfSample = pair(saturator, kSatHalfSample);
    memories.saturator.dcInput = pair(dc, kDcInput);
    memories.saturator.dcOutput = pair(dc, kDcOutput);
    return memories;
}

void StoreMemories(const PathMemories& memories, EngineState& state)
{
    double* const saturator[2] = {state.satState1, state.satState2};
    double* const dc[2] = {state.dcState1, state.dcState2};
    state.toneState1 = memories.tone[0];
    state.toneState2 = memories.tone[1];
    for (int path = 0; path < 2; ++path) {
        saturator[path][kSatDrivenInput] = memories.saturator.drivenInput[path];
        saturator[path][kSatWholeSample] = memories.saturator.wholeSample[path];
        saturator[path][kSatHalfSample] = memories.saturator.halfSample[path];
        dc[path][kDcInput] = memories.saturator.dcInput[path];
        dc[path][kDcOutput] = memories.saturator.dcOutput[path];
    }
}

// What the front hands to the back for one chunk, one pair per frame; the
// shapes hold the whole-sample pair and then the half-sample pair of each
// frame, contiguous for the tanh batch.
struct ChunkScratch {
    StereoPair input[kChunkFrames];
    StereoPair dry[kChunkFrames];
    StereoPair filtered[kChunkFrames];
    double shapes[kChunkFrames * 4];
};

// The running signal state of a block.
struct BlockRunner {
    const EngineBlockConstants& constants;
    const double* table;
    DelayLine delayA;
    DelayLine delayB;
    uint32_t phaseA;
    uint32_t phaseB;
    PathMemories memories;

    // Routing, delays, tone filter and the saturator's tanh arguments.
    void Front(const double* input1, const double* input2, int32_t frames, ChunkScratch& scratch);
    // Saturator smoothing, DC blocker, output selection and limit.
    void Back(const ChunkScratch& scratch, int32_t frames, double* output1, double* output2);
};

void BlockRunner::Front(const double* input1, const double* input2, int32_t frames, ChunkScratch& scratch)
{
    for (int32_t j = 0; j < frames; ++j) {
        const StereoPair input{input1[j], input2[j]};
        const StereoPair dry = RouteInputs(constants.routing, input) * constants.inputGain;
        StereoPair delayed = dry;

        if (constants.delayStageOn) {
            const double valueA = CosineTableLookup(table, phaseA);
            phaseA += constants.incrementA;
            const double wetA = DelayLineRead(delayA, valueA * constants.depth + constants.centre);
            const double valueB = CosineTableLookup(table, phaseB);
            phaseB += constants.incrementB;
            const double wetB = DelayLineRead(delayB, valueB * constants.depth + constants.centre);
            const StereoPair wet{wetA, wetB};
            // Negative feedback: the delayed signal is subtracted from what
            // enters the line.
            const StereoPair entering = FlushTiny(dry - constants.feedback * wet);
            DelayLineWrite(delayA, entering[0]);
            DelayLineWrite(delayB, entering[1]);
            delayed = dry + wet;
        }
        // The lines move on whether or not they were read or written.
        DelayLineAdvance(delayA);
        DelayLineAdvance(delayB);

        const StereoPair filtered = ToneFilterProcess(memories.tone, delayed, constants.tone);
        // The saturator runs whether or not it is switched in, so its
        // memories are current when it is.
        StereoPair whole;
        StereoPair half;
        SaturatorArguments(memories.saturator, filtered * constants.driveGain, whole, half);
        StorePair(scratch.shapes + 4 * j, whole);
        StorePair(scratch.shapes + 4 * j + 2, half);
        scratch.input[j] = input;
        scratch.dry[j] = dry;
        scratch.filtered[j] = filtered;
    }
}

StereoPair SelectOutput(const EngineBlockConstants& constants, StereoPair processed, StereoPair dry,
                        StereoPair input)
{
    switch (constants.output) {
    case OutputSelection::kProcessed:
        return ((processed - dry) * constants.blend + dry) * constants.outputGain;
    case OutputSelection::kBypass:
        return input;
    case OutputSelection::kSilence:
        break;
    }
    return Broadcast(0.0);
}

// Hard limit at +-1.2; NaN passes unchanged. Written so that a NaN fails
// both comparisons and the value itself is chosen, the form the compiler
// maps onto the processor's min and max instructions.
StereoPair Limit(StereoPair value)
{
    const StereoPair low = Broadcast(-1.2);
    const StereoPair high = Broadcast(1.2);
    const StereoPair raised = low > value ? low : value;
    return high < raised ? high : raised;
}

void BlockRunner::Back(const ChunkScratch& scratch, int32_t frames, double* output1, double* output2)
{
    for (int32_t j = 0; j < frames; ++j) {
        const StereoPair blocked = SaturatorFinish(memories.saturator, LoadPair(scratch.shapes + 4 * j),
                                                   LoadPair(scratch.shapes + 4 * j + 2));
        const StereoPair processed =
            constants.saturatorOn ? blocked * constants.makeUpGain : scratch.filtered[j];
        const StereoPair output = Limit(SelectOutput(constants, processed, scratch.dry[j], scratch.input[j]));
        output1[j] = output[0];
        output2[j] = output[1];
    }
}

// The state's increment field is signed; the phase wraps modulo 2^32 either
// way. Converted without relying on implementation-defined narrowing.
int32_t SignedIncrement(uint32_t increment)
{
    return increment <= 0x7FFFFFFFu ? static_cast<int32_t>(increment)
                                    : static_cast<int32_t>(static_cast<int64_t>(increment) - 0x100000000LL);
}

// Perform needs every entry of the cosine table and both delay memories;
// without them it refuses the block as it does a missing buffer.
bool HasSignalMemory(const EngineState& state)
{
    return CosineTableIsUsable(state.cosineTable) && state.delayA.memory != nullptr &&
           state.delayB.memory != nullptr;
}

} // namespace

int32_t EnginePerform(EngineState* state, const double* input1, const double* input2,
                      double* output1, double* output2, int32_t sampleCount)
{
    if (state == nullptr) {
        return static_cast<int32_t>(kEngineErrorMissingBuffer);
    }
    if (state->errorState != 0) {
        return static_cast<int32_t>(state->errorState);
    }
    if (input1 == nullptr || input2 == nullptr || output1 == nullptr || output2 == nullptr ||
        !HasSignalMemory(*state)) {
        state->errorState = kEngineErrorMissingBuffer;
        return static_cast<int32_t>(state->errorState);
    }

    const EngineBlockConstants constants = EngineComputeBlockConstants(*state);
    state->lfoA.increment = SignedIncrement(constants.incrementA);
    state->lfoB.increment = SignedIncrement(constants.incrementB);

    BlockRunner runner{constants,
                       state->cosineTable.data,
                       state->delayA,
                       state->delayB,
                       state->lfoA.phase,
                       state->lfoB.phase,
                       LoadMemories(*state)};
    ChunkScratch scratch;
    for (int32_t done = 0; done < sampleCount;) {
        const int32_t frames = std::min(kChunkFrames, sampleCount - done);
        runner.Front(input1 + done, input2 + done, frames, scratch);
        TanhArray(scratch.shapes, frames * 4);
        runner.Back(scratch, frames, output1 + done, output2 + done);
        done += frames;
    }

    state->delayA.readPos = runner.delayA.readPos;
    state->delayA.writePos = runner.delayA.writePos;
    state->delayB.readPos = runner.delayB.readPos;
    state->delayB.writePos = runner.delayB.writePos;
    state->lfoA.phase = runner.phaseA;
    state->lfoB.phase = runner.phaseB;
    StoreMemories(runner.memories, *state);
    return 0;
}
