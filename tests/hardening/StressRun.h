#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The shared frame of a thread stress run: named loops on their own threads
// until the run's time is up, a stop flag they all watch, and the MIDI
// messages one of them produces for another.
class StressRun
{
public:
  // How long one run lasts: QUILLWAVE_STRESS_SECONDS, 10 in the
  // ThreadSanitizer preset and 2 elsewhere.
  static std::chrono::milliseconds Duration();

  // Runs each body in a loop on its own thread until the time is up, then
  // joins them; a body may end its thread early by returning false.
  void Run(const std::vector<std::function<bool()>>& bodies);
  bool Stopping() const { return stop.load(); }

  // Counts of what the loops did and of what went wrong, for the report.
  std::atomic<int64_t> blocks{0};
  std::atomic<int64_t> editorGestures{0};
  std::atomic<int64_t> hostCalls{0};
  std::atomic<int64_t> midiMessages{0};
  std::atomic<int64_t> nonFiniteBlocks{0};

  // Controller messages from the MIDI source, oldest first.
  struct Message
  {
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
  };
  void Send(const Message& message);
  // Everything sent since the last call.
  std::vector<Message> Receive();

private:
  std::atomic<bool> stop{false};
  std::mutex midiLock;
  std::deque<Message> midi;
};

// A deterministic pseudo-random sequence for the loops (one per thread).
class StressRandom
{
public:
  explicit StressRandom(uint32_t seed) : state(seed) {}
  uint32_t Next();
  // Uniform in [0, 1].
  double Unit() { return Next() / 4294967295.0; }
  int Below(int limit) { return static_cast<int>(Next() % static_cast<uint32_t>(limit)); }

private:
  uint32_t state;
};

// Whether a parameter index is a preset action, which loads and saves preset
// files; the stress loops leave those to the editor's own buttons.
bool IsPresetAction(int index);
