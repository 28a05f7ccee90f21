// Runs quillwave-render as a user would and checks its output against the same render done
// in-process through the host layer, and its answers to bad input.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/CommandRun.h"
#include "tools/pluginhost/PluginInstance.h"

namespace fs = std::filesystem;

namespace {

constexpr double kRate = 48000.0;
constexpr int kFrames = 20000;

using Tool = CommandRun;

Tool RunTool(const std::string& arguments) {
  return RunCommand(std::string(QUILLWAVE_RENDER) + " " + arguments);
}

// A float WAV of a decaying two-tone chord: left and right differ so a swap would show.
void WriteInput(const std::string& path, int channels) {
  SF_INFO info{};
  info.samplerate = static_cast<int>(kRate);
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  std::vector<float> samples;
  for (int i = 0; i < kFrames; ++i) {
    const double t = i / kRate;
    const double envelope = std::exp(-2.0 * t);
    samples.push_back(static_cast<float>(0.5 * envelope * std::sin(2 * M_PI * 220 * t)));
    if (channels == 2)
      samples.push_back(static_cast<float>(0.4 * envelope * std::sin(2 * M_PI * 331 * t)));
  }
  sf_writef_float(file, samples.data(), kFrames);
  sf_close(file);
}

std::vector<float> ReadInterleaved(const std::string& path, SF_INFO& info) {
  info = SF_INFO{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
  sf_readf_float(file, samples.data(), info.frames);
  sf_close(file);
  return samples;
}

class RenderToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("quillwave-render-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder / "home");
    // The plug-in reads its preset library below HOME; keep it away from the real one.
    setenv("HOME", (folder / "home").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string Path(const std::string& name) const { return (folder / name).string(); }

  fs::path folder;
};

// What the tool should write: the same module driven in-process, block by block.
std::vector<float> RenderInProcess(const std::string& module, const std::vector<float>& stereoIn,
                                   int block, const std::string& name, double plain) {
  std::string error;
  auto plugin = LoadPluginModule(module, error);
  EXPECT_NE(plugin, nullptr) << error;
  if (!plugin) return {};
  EXPECT_TRUE(plugin->Prepare(kRate, block, SamplePrecision::Double, error)) << error;
  for (int i = 0; i < plugin->ParameterCount(); ++i)
    if (plugin->Parameter(i).name == name) plugin->SetPlain(i, plain);
  std::vector<double> in[2] = {std::vector<double>(block), std::vector<double>(block)};
  std::vector<double> out[2] = {std::vector<double>(block), std::vector<double>(block)};
  const double* inputs[2] = {in[0].data(), in[1].data()};
  double* outputs[2] = {out[0].data(), out[1].data()};
  std::vector<float> result;
  for (int start = 0; start < kFrames; start += block) {
    const int n = std::min(block, kFrames - start);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < 2; ++c) in[c][i] = stereoIn[2 * (start + i) + c];
    plugin->Process(inputs, outputs, n);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < 2; ++c) result.push_back(static_cast<float>(out[c][i]));
  }
  return result;
}

}  // namespace

TEST_F(RenderToolTest, OutputMatchesTheModuleDrivenInProcess) {
  WriteInput(Path("in.wav"), 2);
  SF_INFO info;
  const std::vector<float> input = ReadInterleaved(Path("in.wav"), info);
  for (const std::string module : {QUILLWAVE_VST3_BUNDLE, QUILLWAVE_VST2_MODULE}) {
    SCOPED_TRACE(module);
    const Tool tool = RunTool(module + " " + Path("in.wav") + " " + Path("out.wav") +
                              " --block-size 300 --set MainFxOffOn=1");
    ASSERT_EQ(tool.exitCode, 0) << tool.output;
    const std::vector<float> written = ReadInterleaved(Path("out.wav"), info);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, static_cast<int>(kRate));
    const std::vector<float> expected = RenderInProcess(module, input, 300, "MainFxOffOn", 1.0);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
    EXPECT_FALSE(written == input) << "the effect was on, so the output must differ";
  }
}

TEST_F(RenderToolTest, MonoInputFeedsBothChannels) {
  WriteInput(Path("mono.wav"), 1);
  const Tool tool = RunTool(std::string(QUILLWAVE_VST2_MODULE) + " " + Path("mono.wav") + " " +
                            Path("out.wav"));
  ASSERT_EQ(tool.exitCode, 0) << tool.output;
  SF_INFO info;
  const std::vector<float> written = ReadInterleaved(Path("out.wav"), info);
  ASSERT_EQ(info.channels, 2);
  // With the effect off by default the output is the input on both sides.
  const std::vector<float> mono = ReadInterleaved(Path("mono.wav"), info);
  for (size_t i = 0; i < mono.size(); ++i) {
    ASSERT_EQ(written[2 * i], mono[i]);
    ASSERT_EQ(written[2 * i + 1], mono[i]);
  }
}

TEST_F(RenderToolTest, StateWrittenByOneRunRestoresTheNextRun) {
  WriteInput(Path("in.wav"), 2);
  const std::string module = QUILLWAVE_VST3_BUNDLE;
  ASSERT_EQ(RunTool(module + " " + Path("in.wav") + " " + Path("a.wav") +
                    " --set MainFxOffOn=1 --set QuillwaveRate=0.9 --state-out " + Path("s.bin"))
                .exitCode,
            0);
  ASSERT_EQ(RunTool(module + " " + Path("in.wav") + " " + Path("b.wav") + " --state-in " +
                    Path("s.bin"))
                .exitCode,
            0);
  SF_INFO info;
  EXPECT_EQ(ReadInterleaved(Path("a.wav"), info), ReadInterleaved(Path("b.wav"), info));
  EXPECT_EQ(fs::file_size(Path("s.bin")), 180u);
}

TEST_F(RenderToolTest, InfoListsParametersProgramsAndBuses) {
  const Tool vst3 = RunTool(std::string(QUILLWAVE_VST3_BUNDLE) + " --info");
  ASSERT_EQ(vst3.exitCode, 0) << vst3.output;
  for (const char* text : {"Bypass", "QuillwaveBandwidth", "PresetSelector", "-1.00000 .. 10000.00000",
                           "Init", "Main Input", "MIDI Input"})
    EXPECT_NE(vst3.output.find(text), std::string::npos) << text << "\n" << vst3.output;
  const Tool vst2 = RunTool(std::string(QUILLWAVE_VST2_MODULE) + " --info");
  ASSERT_EQ(vst2.exitCode, 0) << vst2.output;
  EXPECT_NE(vst2.output.find("HostTempoBpm"), std::string::npos) << vst2.output;
  EXPECT_NE(vst2.output.find("0.00000 .. 1000.00000"), std::string::npos) << vst2.output;
}

TEST_F(RenderToolTest, BadInputGivesAClearErrorAndExitCode) {
  WriteInput(Path("in.wav"), 2);
  const std::string io = " " + Path("in.wav") + " " + Path("out.wav");
  const struct {
    std::string arguments;
    int exitCode;
    const char* message;
  } cases[] = {
      {Path("missing.vst3") + io, 1, "no plug-in module"},
      {std::string(QUILLWAVE_VST2_MODULE) + " " + Path("none.wav") + " " + Path("out.wav"), 1,
       "cannot read"},
      {std::string(QUILLWAVE_VST2_MODULE) + io + " --set NoSuchKnob=1", 2, "unknown parameter"},
      {std::string(QUILLWAVE_VST2_MODULE) + io + " --set QuillwaveRate=fast", 2, "bad value"},
      {std::string(QUILLWAVE_VST2_MODULE) + io + " --cc 1.0:7=300", 2, "bad controller"},
      {std::string(QUILLWAVE_VST2_MODULE) + io + " --block-size 0", 2, "block-size"},
  };
  for (const auto& c : cases) {
    const Tool tool = RunTool(c.arguments);
    EXPECT_EQ(tool.exitCode, c.exitCode) << c.arguments << "\n" << tool.output;
    EXPECT_NE(tool.output.find(c.message), std::string::npos) << c.arguments << "\n" << tool.output;
  }
}

TEST_F(RenderToolTest, ControllerMessagesTakeEffectFromTheirBlock) {
  WriteInput(Path("in.wav"), 2);
  SF_INFO info;
  const std::vector<float> in = ReadInterleaved(Path("in.wav"), info);
  // Controller 7 at full scale doubles the output gain from the block holding 0.25 s on. A
  // VST3 host sends controllers as changes of the parameters the plug-in maps them to; the
  // sound is the same as through the VST2 module's events.
  std::vector<float> outputs[2];
  int format = 0;
  for (const std::string module : {QUILLWAVE_VST2_MODULE, QUILLWAVE_VST3_BUNDLE}) {
    SCOPED_TRACE(module);
    const Tool tool = RunTool(module + " " + Path("in.wav") + " " + Path("out.wav") +
                              " --block-size 1000 --set MainFxOffOn=1 --set MainOutputBlend=0"
                              " --cc 0.25:7=127 --cc 0.3:1=90 --cc 0.3:8=5 --cc 0.3501:14=100 --cc 0.36:14=3");
    ASSERT_EQ(tool.exitCode, 0) << tool.output;
    const std::vector<float> out = ReadInterleaved(Path("out.wav"), info);
    const size_t changeFrame = 12000;  // 0.25 s is frame 12000, the start of the 13th block
    for (size_t i = 0; i < changeFrame + 2000; ++i) {
      const float gain = i < changeFrame ? 1.0f : 2.0f;
      ASSERT_NEAR(out[2 * i], std::max(-1.2f, std::min(1.2f, gain * in[2 * i])), 1e-6f) << i;
    }
    outputs[format++] = out;
  }
  EXPECT_TRUE(outputs[0] == outputs[1]) << "VST2 and VST3 renders differ";
}
