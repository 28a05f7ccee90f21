// Runs quillwave-render as a user would and checks its output against the same render done
// in-process through the host layer, and its answers to bad input.

#include <gtest/gtest.h>
#include <samplerate.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/CommandRun.h"
#include "tools/pluginhost/PluginInstance.h"
#include "tools/render/BlockSource.h"
#include "tools/render/ProgressBar.h"

namespace fs = std::filesystem;

namespace
{

constexpr double kRate = 48000.0;
constexpr int kFrames = 20000;

using Tool = CommandRun;

Tool RunTool(const std::string& arguments)
{
  return RunCommand(std::string(QUILLWAVE_RENDER) + " " + arguments);
}

// A float WAV of a decaying two-tone chord: left and right differ so a swap would show.
void WriteInput(const std::string& path, int channels, int frames = kFrames)
{
  SF_INFO info{};
  info.samplerate = static_cast<int>(kRate);
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  std::vector<float> samples;
  for (int i = 0; i < frames; ++i)
  {
    const double t = i / kRate;
    const double envelope = std::exp(-2.0 * t);
    samples.push_back(static_cast<float>(0.5 * envelope * std::sin(2 * M_PI * 220 * t)));
    if (channels == 2)
      samples.push_back(static_cast<float>(0.4 * envelope * std::sin(2 * M_PI * 331 * t)));
  }
  sf_writef_float(file, samples.data(), frames);
  sf_close(file);
}

std::vector<float> ReadInterleaved(const std::string& path, SF_INFO& info)
{
  info = SF_INFO{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file)
    return {};
  std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
  sf_readf_float(file, samples.data(), info.frames);
  sf_close(file);
  return samples;
}

class RenderToolTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    folder = fs::temp_directory_path() /
             ("quillwave-render-test-" +
              std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
                                   int block, const std::string& name, double plain,
                                   double rate = kRate)
{
  std::string error;
  auto plugin = LoadPluginModule(module, error);
  EXPECT_NE(plugin, nullptr) << error;
  if (!plugin)
    return {};
  EXPECT_TRUE(plugin->Prepare(rate, block, SamplePrecision::Double, error)) << error;
  for (int i = 0; i < plugin->ParameterCount(); ++i)
    if (plugin->Parameter(i).name == name)
      plugin->SetPlain(i, plain);
  std::vector<double> in[2] = {std::vector<double>(block), std::vector<double>(block)};
  std::vector<double> out[2] = {std::vector<double>(block), std::vector<double>(block)};
  const double* inputs[2] = {in[0].data(), in[1].data()};
  double* outputs[2] = {out[0].data(), out[1].data()};
  std::vector<float> result;
  const int frames = static_cast<int>(stereoIn.size() / 2);
  for (int start = 0; start < frames; start += block)
  {
    const int n = std::min(block, frames - start);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < 2; ++c)
        in[c][i] = stereoIn[2 * (start + i) + c];
    plugin->Process(inputs, outputs, n);
    for (int i = 0; i < n; ++i)
      for (int c = 0; c < 2; ++c)
        result.push_back(static_cast<float>(out[c][i]));
  }
  return result;
}

// The whole-file conversion: each channel at once through libsamplerate's best converter in
// 32-bit floats, with room for ceil(frames x ratio) + 1 frames.
std::vector<float> ResampleWhole(const std::vector<float>& stereo, double ratio)
{
  const size_t frames = stereo.size() / 2;
  std::vector<float> channels[2];
  for (int c = 0; c < 2; ++c)
  {
    std::vector<float> in(frames);
    for (size_t i = 0; i < frames; ++i)
      in[i] = stereo[2 * i + c];
    channels[c].resize(static_cast<size_t>(std::ceil(frames * ratio)) + 1);
    SRC_DATA data{};
    data.data_in = in.data();
    data.input_frames = static_cast<long>(frames);
    data.data_out = channels[c].data();
    data.output_frames = static_cast<long>(channels[c].size());
    data.src_ratio = ratio;
    EXPECT_EQ(src_simple(&data, SRC_SINC_BEST_QUALITY, 1), 0);
    channels[c].resize(static_cast<size_t>(data.output_frames_gen));
  }
  std::vector<float> result;
  for (size_t i = 0; i < channels[0].size(); ++i)
    for (int c = 0; c < 2; ++c)
      result.push_back(channels[c][i]);
  return result;
}

}  // namespace

// The tool streams the file in reads that process blocks straddle; what it writes must be what
// the whole file rendered in one piece gives, converted or not.
TEST_F(RenderToolTest, StreamedOutputMatchesTheWholeFileRenderedInProcess)
{
  const int frames = static_cast<int>(2 * kRenderReadFrames) + 1234;
  WriteInput(Path("in.wav"), 2, frames);
  SF_INFO info;
  const std::vector<float> input = ReadInterleaved(Path("in.wav"), info);
  const struct
  {
    int block;
    double rate;
  } cases[] = {{300, kRate}, {4096, kRate}, {512, 44100.0}, {1000, 96000.0}};
  for (const auto& c : cases)
  {
    SCOPED_TRACE(std::to_string(c.block) + " frames at " + std::to_string(c.rate));
    const std::string module = QUILLWAVE_VST2_MODULE;
    const Tool tool = RunTool(module + " " + Path("in.wav") + " " + Path("out.wav") +
                              " --block-size " + std::to_string(c.block) + " --sample-rate " +
                              std::to_string(c.rate) + " --set MainFxOffOn=1");
    ASSERT_EQ(tool.exitCode, 0) << tool.output;
    const std::vector<float> written = ReadInterleaved(Path("out.wav"), info);
    EXPECT_EQ(info.samplerate, static_cast<int>(c.rate));
    const std::vector<float> converted =
        c.rate == kRate ? input : ResampleWhole(input, c.rate / kRate);
    const std::vector<float> expected =
        RenderInProcess(module, converted, c.block, "MainFxOffOn", 1.0, c.rate);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
  }
}

TEST_F(RenderToolTest, OutputMatchesTheModuleDrivenInProcess)
{
  WriteInput(Path("in.wav"), 2);
  SF_INFO info;
  const std::vector<float> input = ReadInterleaved(Path("in.wav"), info);
  for (const std::string module : {QUILLWAVE_VST3_BUNDLE, QUILLWAVE_VST2_MODULE})
  {
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

TEST_F(RenderToolTest, MonoInputFeedsBothChannels)
{
  WriteInput(Path("mono.wav"), 1);
  const Tool tool =
      RunTool(std::string(QUILLWAVE_VST2_MODULE) + " " + Path("mono.wav") + " " + Path("out.wav"));
  ASSERT_EQ(tool.exitCode, 0) << tool.output;
  SF_INFO info;
  const std::vector<float> written = ReadInterleaved(Path("out.wav"), info);
  ASSERT_EQ(info.channels, 2);
  // With the effect off by default the output is the input on both sides.
  const std::vector<float> mono = ReadInterleaved(Path("mono.wav"), info);
  for (size_t i = 0; i < mono.size(); ++i)
  {
    ASSERT_EQ(written[2 * i], mono[i]);
    ASSERT_EQ(written[2 * i + 1], mono[i]);
  }
}

TEST_F(RenderToolTest, StateWrittenByOneRunRestoresTheNextRun)
{
  WriteInput(Path("in.wav"), 2);
  const std::string module = QUILLWAVE_VST3_BUNDLE;
  ASSERT_EQ(RunTool(module + " " + Path("in.wav") + " " + Path("a.wav") +
                    " --set MainFxOffOn=1 --set QuillwaveRate=0.9 --state-out " + Path("s.bin"))
                .exitCode,
            0);
  ASSERT_EQ(
      RunTool(module + " " + Path("in.wav") + " " + Path("b.wav") + " --state-in " + Path("s.bin"))
          .exitCode,
      0);
  SF_INFO info;
  EXPECT_EQ(ReadInterleaved(Path("a.wav"), info), ReadInterleaved(Path("b.wav"), info));
  EXPECT_EQ(fs::file_size(Path("s.bin")), 180u);
}

TEST_F(RenderToolTest, InfoListsParametersProgramsAndBuses)
{
  const Tool vst3 = RunTool(std::string(QUILLWAVE_VST3_BUNDLE) + " --info");
  ASSERT_EQ(vst3.exitCode, 0) << vst3.output;
  for (const char* text : {"Bypass", "QuillwaveBandwidth", "PresetSelector",
                           "-1.00000 .. 10000.00000", "Init", "Main Input", "MIDI Input"})
    EXPECT_NE(vst3.output.find(text), std::string::npos) << text << "\n" << vst3.output;
  const Tool vst2 = RunTool(std::string(QUILLWAVE_VST2_MODULE) + " --info");
  ASSERT_EQ(vst2.exitCode, 0) << vst2.output;
  EXPECT_NE(vst2.output.find("HostTempoBpm"), std::string::npos) << vst2.output;
  EXPECT_NE(vst2.output.find("0.00000 .. 1000.00000"), std::string::npos) << vst2.output;
}

TEST_F(RenderToolTest, BadInputGivesAClearErrorAndExitCode)
{
  WriteInput(Path("in.wav"), 2);
  const std::string io = " " + Path("in.wav") + " " + Path("out.wav");
  const struct
  {
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
      {std::string(QUILLWAVE_VST2_MODULE) + " " + Path("in.wav") + " " + Path("out.xyz"), 1,
       "output format"},
      {std::string(QUILLWAVE_VST2_MODULE) + " " + Path("in.wav") + " " + Path("no/out.wav"), 1,
       "cannot write"},
  };
  for (const auto& c : cases)
  {
    const Tool tool = RunTool(c.arguments);
    EXPECT_EQ(tool.exitCode, c.exitCode) << c.arguments << "\n" << tool.output;
    EXPECT_NE(tool.output.find(c.message), std::string::npos) << c.arguments << "\n" << tool.output;
  }
  // A failed run leaves nothing behind, not even its temporary file.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
      << "only home/ and in.wav";
}

// Ctrl-C in the middle of a render: the tool stops, says so, and leaves neither the output nor
// its temporary file, while a file already under the output's name stays as it was.
TEST_F(RenderToolTest, InterruptedRenderLeavesNoOutput)
{
  WriteInput(Path("in.wav"), 2, 60 * static_cast<int>(kRate));
  {
    std::ofstream(Path("out.wav")) << "an earlier file";
  }
  const std::string tool = QUILLWAVE_RENDER;
  const std::string module = QUILLWAVE_VST3_BUNDLE;
  const std::string in = Path("in.wav"), out = Path("out.wav");
  const char* const argv[] = {tool.c_str(), module.c_str(),  in.c_str(),
                              out.c_str(),  "--block-size",  "4",
                              "--set",      "MainFxOffOn=1", nullptr};
  pid_t child = 0;
  ASSERT_EQ(
      posix_spawn(&child, tool.c_str(), nullptr, nullptr, const_cast<char* const*>(argv), environ),
      0);
  const auto partial = [&] {
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().filename().string().rfind(".out.wav.partial-", 0) == 0)
        return true;
    return false;
  };
  for (int wait = 0; wait < 10000 && !partial(); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(partial()) << "the render should write to a temporary file first";
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  kill(child, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130) << "the render finished before it was interrupted";
  EXPECT_FALSE(partial());
  std::ifstream earlier(out);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), "an earlier file");
}

// The progress bar shows on a terminal (here the pseudo-terminal of script(1)) unless --quiet,
// and never in a pipe.
TEST_F(RenderToolTest, ProgressShowsOnlyOnATerminal)
{
  WriteInput(Path("in.wav"), 2);
  const std::string render = std::string(QUILLWAVE_RENDER) + " " + QUILLWAVE_VST2_MODULE + " " +
                             Path("in.wav") + " " + Path("out.wav");
  const Tool onTerminal = RunCommand("script -qec '" + render + "' /dev/null");
  ASSERT_EQ(onTerminal.exitCode, 0) << onTerminal.output;
  EXPECT_NE(onTerminal.output.find("100%"), std::string::npos) << onTerminal.output;
  EXPECT_NE(onTerminal.output.find("x real time"), std::string::npos) << onTerminal.output;
  const Tool quiet = RunCommand("script -qec '" + render + " --quiet' /dev/null");
  ASSERT_EQ(quiet.exitCode, 0) << quiet.output;
  EXPECT_EQ(quiet.output.find("Rendering"), std::string::npos) << quiet.output;
  const Tool piped = RunTool(render.substr(std::string(QUILLWAVE_RENDER).size() + 1));
  ASSERT_EQ(piped.exitCode, 0) << piped.output;
  EXPECT_EQ(piped.output.find("Rendering"), std::string::npos) << piped.output;
}

TEST(RenderProgressLine, ShowsPercentElapsedTimeAndSpeed)
{
  const std::string half = ProgressBar::Line(0.5, 65.0, 6500.0);
  EXPECT_NE(half.find("[############             ]  50%"), std::string::npos) << half;
  EXPECT_NE(half.find("1:05 elapsed"), std::string::npos) << half;
  EXPECT_NE(half.find("100x real time"), std::string::npos) << half;
  EXPECT_NE(ProgressBar::Line(1.0, 0.0, 0.0).find("100%"), std::string::npos);
}

TEST_F(RenderToolTest, ControllerMessagesTakeEffectFromTheirBlock)
{
  WriteInput(Path("in.wav"), 2);
  SF_INFO info;
  const std::vector<float> in = ReadInterleaved(Path("in.wav"), info);
  // Controller 7 at full scale doubles the output gain from the block holding 0.25 s on. A
  // VST3 host sends controllers as changes of the parameters the plug-in maps them to; the
  // sound is the same as through the VST2 module's events.
  std::vector<float> outputs[2];
  int format = 0;
  for (const std::string module : {QUILLWAVE_VST2_MODULE, QUILLWAVE_VST3_BUNDLE})
  {
    SCOPED_TRACE(module);
    const Tool tool =
        RunTool(module + " " + Path("in.wav") + " " + Path("out.wav") +
                " --block-size 1000 --set MainFxOffOn=1 --set MainOutputBlend=0"
                " --cc 0.25:7=127 --cc 0.3:1=90 --cc 0.3:8=5 --cc 0.3501:14=100 --cc 0.36:14=3");
    ASSERT_EQ(tool.exitCode, 0) << tool.output;
    const std::vector<float> out = ReadInterleaved(Path("out.wav"), info);
    const size_t changeFrame = 12000;  // 0.25 s is frame 12000, the start of the 13th block
    for (size_t i = 0; i < changeFrame + 2000; ++i)
    {
      const float gain = i < changeFrame ? 1.0f : 2.0f;
      ASSERT_NEAR(out[2 * i], std::max(-1.2f, std::min(1.2f, gain * in[2 * i])), 1e-6f) << i;
    }
    outputs[format++] = out;
  }
  EXPECT_TRUE(outputs[0] == outputs[1]) << "VST2 and VST3 renders differ";
}
