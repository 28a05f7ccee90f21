// NaN, infinity and huge values, in the input and in every parameter, through
// every way a host sets them (normalised values, plain values, tempo, restored
// state). Once the input is clean again and the host resets, the instance
// processes bit for bit as a fresh one with the same settings.
#include "tests/hardening/ModuleHost.h"
#include "tests/product/TemporaryHome.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
const double kPoison[] = {kNaN,    kInfinity, -kInfinity, 1e300, -1e300,
                          DBL_MAX, FLT_MAX,   1e-310,     -0.0};

// A flanger at full feedback with the saturator in: every recursive memory
// of the engine is in use.
const std::map<std::string, double> kSettings = {
    {"MainFxOffOn", 1.0},   {"QuillwaveMode", 1.0},  {"QuillwaveFeedback", 1.0},
    {"QuillwaveRate", 0.8}, {"SaturationGain", 0.7}, {"FilterTone", 0.3},
    {"MainInputGain", 0.9}, {"MainOutputBlend", 0.6}};

constexpr int kCleanBlocks = 12;

class NonFiniteRecovery : public ::testing::TestWithParam<ModuleCase>
{
protected:
  // Every parameter at its default, then the settings above.
  static void Settle(ModuleHost& host)
  {
    PluginInstance& plugin = host.Plugin();
    for (int i = 0; i < plugin.ParameterCount(); ++i)
    {
      const HostParameter parameter = plugin.Parameter(i);
      const auto setting = kSettings.find(parameter.name);
      plugin.SetNormalized(i, setting != kSettings.end() ? setting->second
                                                         : parameter.defaultNormalized);
    }
    plugin.SetTempo(120.0);
  }

  // The host's reset: processing set up again, as after a change of settings.
  static void Reset(ModuleHost& host)
  {
    std::string error;
    ASSERT_TRUE(host.Plugin().Prepare(ModuleHost::kSampleRate, ModuleHost::kMaxBlock,
                                      GetParam().precision, error))
        << error;
    host.RestartSignal();
  }

  static std::vector<double> CleanRun(ModuleHost& host)
  {
    std::vector<double> samples;
    for (int block = 0; block < kCleanBlocks; ++block)
    {
      host.ProcessSignal(ModuleHost::kMaxBlock);
      const std::vector<double> output = host.LastOutput(ModuleHost::kMaxBlock);
      samples.insert(samples.end(), output.begin(), output.end());
    }
    return samples;
  }

  // What a fresh instance with the settings gives after a reset.
  std::vector<double> Reference()
  {
    ModuleHost fresh(GetParam());
    EXPECT_TRUE(fresh.Ready()) << fresh.Error();
    Settle(fresh);
    Reset(fresh);
    return CleanRun(fresh);
  }

  // A host state blob with every parameter value replaced by `value`.
  static std::vector<uint8_t> PoisonedState(PluginInstance& plugin, double value)
  {
    std::vector<uint8_t> state = plugin.SaveState();
    const bool vst2 = plugin.Format() == "VST2";
    const size_t first = vst2 ? 8 : 0;                          // the VST2 chunk header
    const size_t end = vst2 ? state.size() : state.size() - 4;  // the VST3 bypass flag
    for (size_t offset = first; offset + sizeof value <= end; offset += sizeof value)
      std::memcpy(state.data() + offset, &value, sizeof value);
    return state;
  }

  TemporaryHome home;
};

bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST_P(NonFiniteRecovery, PoisonedInputLeavesNoTraceAfterAReset)
{
  const std::vector<double> reference = Reference();
  ModuleHost host(GetParam());
  ASSERT_TRUE(host.Ready()) << host.Error();
  Settle(host);
  for (const double poison : kPoison)
  {
    host.ProcessConstant(ModuleHost::kMaxBlock, poison);
    host.ProcessSignal(ModuleHost::kMaxBlock, poison);
  }
  Settle(host);
  Reset(host);
  EXPECT_TRUE(SameBits(CleanRun(host), reference));
}

TEST_P(NonFiniteRecovery, PoisonedParametersLeaveNoTraceOnceSetAgain)
{
  const std::vector<double> reference = Reference();
  ModuleHost host(GetParam());
  ASSERT_TRUE(host.Ready()) << host.Error();
  PluginInstance& plugin = host.Plugin();
  for (const double poison : kPoison)
  {
    for (int i = 0; i < plugin.ParameterCount(); ++i)
    {
      plugin.SetNormalized(i, poison);
      host.ProcessSignal(1);
      plugin.SetPlain(i, poison);
    }
    plugin.SetTempo(poison);
    host.ProcessSignal(ModuleHost::kMaxBlock);
    plugin.LoadState(PoisonedState(plugin, poison));
    host.ProcessSignal(ModuleHost::kMaxBlock);
  }
  Settle(host);
  Reset(host);
  EXPECT_TRUE(SameBits(CleanRun(host), reference));
}

INSTANTIATE_TEST_SUITE_P(Modules, NonFiniteRecovery, ::testing::ValuesIn(AllModuleCases()),
                         ModuleCaseName);
}  // namespace
