// Load through the modules' entry points: many instances created, run and
// destroyed in turn, and many running at once on their own threads. Every
// instance gives the same output bit for bit. The sanitizer build checks that
// nothing leaks.
#include "tests/hardening/ModuleHost.h"
#include "tests/product/TemporaryHome.h"
#include "tools/pluginhost/SharedLibrary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr int kBlocks = 8;

// Creates an instance, sets a chorus with saturation, runs kBlocks blocks and
// returns everything it put out. Destroying the instance ends the run.
std::vector<double> RunInstance(const ModuleCase& module)
{
  ModuleHost host(module);
  if (!host.Ready())
  {
    ADD_FAILURE() << host.Error();
    return {};
  }
  for (const auto& [name, value] : {std::pair<const char*, double>{"MainFxOffOn", 1.0},
                                    {"SaturationGain", 0.5},
                                    {"QuillwaveFeedback", 0.9}})
    host.Plugin().SetNormalized(host.IndexOf(name), value);
  std::vector<double> samples;
  for (int block = 0; block < kBlocks; ++block)
  {
    host.ProcessSignal(ModuleHost::kMaxBlock);
    const std::vector<double> output = host.LastOutput(ModuleHost::kMaxBlock);
    samples.insert(samples.end(), output.begin(), output.end());
  }
  return samples;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
  return !a.empty() && a.size() == b.size() &&
         std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// The module's shared object, kept loaded for the whole test so that the
// cycles create and destroy instances rather than load and unload the module.
std::string ModuleFile(const ModuleCase& module)
{
  const std::string path = module.path;
  if (path.size() > 5 && path.compare(path.size() - 5, 5, ".vst3") == 0)
    return path + "/Contents/x86_64-linux/Quillwave.so";
  return path;
}

class ModuleLoad : public ::testing::TestWithParam<ModuleCase>
{
protected:
  void SetUp() override
  {
    std::string error;
    ASSERT_TRUE(pinned.Open(ModuleFile(GetParam()), error)) << error;
  }

  TemporaryHome home;
  SharedLibrary pinned;
};

TEST_P(ModuleLoad, AThousandInstancesInTurnGiveTheSameOutput)
{
  const std::vector<double> first = RunInstance(GetParam());
  ASSERT_FALSE(first.empty());
  for (int cycle = 1; cycle < 1000; ++cycle)
    ASSERT_TRUE(SameBits(RunInstance(GetParam()), first)) << "cycle " << cycle;
}

TEST_P(ModuleLoad, SixtyFourInstancesAtOnceOnTheirOwnThreads)
{
  const std::vector<double> reference = RunInstance(GetParam());
  constexpr int kInstances = 64;
  std::vector<std::vector<double>> outputs(kInstances);
  std::vector<std::thread> threads;
  for (int i = 0; i < kInstances; ++i)
    threads.emplace_back([&outputs, i] { outputs[i] = RunInstance(GetParam()); });
  for (std::thread& thread : threads)
    thread.join();
  for (int i = 0; i < kInstances; ++i)
    EXPECT_TRUE(SameBits(outputs[i], reference)) << "instance " << i;
}

INSTANTIATE_TEST_SUITE_P(Modules, ModuleLoad, ::testing::ValuesIn(ModuleCasesInDouble()),
                         ModuleCaseName);
}  // namespace
