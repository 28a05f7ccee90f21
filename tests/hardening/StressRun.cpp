#include "tests/hardening/StressRun.h"

#include <thread>

std::chrono::milliseconds StressRun::Duration()
{
  return std::chrono::milliseconds(static_cast<int64_t>(QUILLWAVE_STRESS_SECONDS * 1000.0));
}

void StressRun::Run(const std::vector<std::function<bool()>>& bodies)
{
  std::vector<std::thread> threads;
  for (const std::function<bool()>& body : bodies)
  {
    threads.emplace_back([this, &body] {
      while (!stop.load() && body())
      {
      }
    });
  }
  std::this_thread::sleep_for(Duration());
  stop.store(true);
  for (std::thread& thread : threads)
    thread.join();
}

void StressRun::Send(const Message& message)
{
  const std::lock_guard<std::mutex> hold(midiLock);
  midi.push_back(message);
  ++midiMessages;
}

std::vector<StressRun::Message> StressRun::Receive()
{
  const std::lock_guard<std::mutex> hold(midiLock);
  std::vector<Message> received(midi.begin(), midi.end());
  midi.clear();
  return received;
}

uint32_t StressRandom::Next()
{
  // xorshift32
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

bool IsPresetAction(int index)
{
  return index >= 15 && index <= 19;
}
