// Four threads meet in one plug-in instance, for a fixed time through each
// module loaded by its entry points: the audio thread processes blocks with
// the host's automation and program changes; the editor thread drags knobs,
// clicks switches all over the editor and runs its redraw timer; the host
// thread sets parameters and saves and restores state; a MIDI source sends
// controllers. Nothing may crash or deadlock and every block stays finite;
// under ThreadSanitizer (the linux-tsan preset) every data race fails the run.
#include "tests/hardening/StressRun.h"
#include "tests/product/TemporaryHome.h"
#include "tools/pluginhost/OffscreenEditor.h"
#include "tools/pluginhost/SharedLibrary.h"
#include "tools/pluginhost/Vst3HostObjects.h"
#include "tools/pluginhost/Vst3StereoBlock.h"
#include "vst2/Vst24Interface.h"

#include "framework/linux/IOffscreenParent.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

using namespace Steinberg;

namespace
{
constexpr double kSampleRate = 48000.0;
constexpr int32_t kBlock = 256;
constexpr int kParameterCount = 22;
// A dense controller stream: several messages to every block.
constexpr std::chrono::microseconds kMidiInterval{200};

// A press somewhere in the editor, a drag of a few steps and the release;
// every few gestures the redraw timer ticks.
void EditorGesture(OffscreenEditor& editor, StressRandom& random, StressRun& run)
{
  const int x = random.Below(editor.Width());
  const int y = random.Below(editor.Height());
  editor.Press(x, y, OffscreenEditor::kLeft);
  for (int step = 1; step <= 3; ++step)
    editor.Drag(x, y - 7 * step, OffscreenEditor::kLeft);
  editor.Release(x, y - 21, OffscreenEditor::kLeft);
  if (++run.editorGestures % 4 == 0)
    editor.Tick();
  editor.TakeProblems();  // dialogs the gestures open are cancelled
}

int SoundParameter(StressRandom& random)
{
  int index = 0;
  do
    index = random.Below(kParameterCount);
  while (IsPresetAction(index));
  return index;
}

template <typename Sample>
bool AllFinite(const std::vector<Sample>& left, const std::vector<Sample>& right)
{
  for (size_t n = 0; n < left.size(); ++n)
  {
    if (!std::isfinite(left[n]) || !std::isfinite(right[n]))
      return false;
  }
  return true;
}

std::vector<double> TestTone(double frequency)
{
  std::vector<double> tone(kBlock);
  for (int32_t n = 0; n < kBlock; ++n)
    tone[n] = 0.5 * std::sin(frequency * n);
  return tone;
}

void Report(const StressRun& run)
{
  std::printf("%lld blocks, %lld editor gestures, %lld host calls, %lld MIDI messages\n",
              static_cast<long long>(run.blocks.load()),
              static_cast<long long>(run.editorGestures.load()),
              static_cast<long long>(run.hostCalls.load()),
              static_cast<long long>(run.midiMessages.load()));
  EXPECT_GT(run.blocks.load(), 0);
  EXPECT_GT(run.editorGestures.load(), 0);
  EXPECT_GT(run.hostCalls.load(), 0);
  EXPECT_EQ(run.nonFiniteBlocks.load(), 0);
}

// The module at `path`, loaded once and kept until the process ends, as a
// host keeps the modules it uses. Unloading would take fontconfig and
// FreeType along after the editor drew text, and the leak check at exit
// would then find their process-wide state unreachable.
SharedLibrary* PinnedModule(const std::string& path, std::string& error)
{
  static SharedLibrary* const vst3 = new SharedLibrary;
  static SharedLibrary* const vst2 = new SharedLibrary;
  SharedLibrary* const library = path == QUILLWAVE_VST2_MODULE ? vst2 : vst3;
  if (library->NativeHandle() == nullptr && !library->Open(path, error))
    return nullptr;
  return library;
}

// ---- VST3 ----

// The host-only parameters: the program change and the bypass switch.
constexpr Vst::ParamID kProgramId = 0x70727374;  // 'prst'
constexpr Vst::ParamID kBypassId = 0x62706173;   // 'bpas'

class Vst3Instance
{
public:
  bool Load(std::string& error)
  {
    const std::string file =
        std::string(QUILLWAVE_VST3_BUNDLE) + "/Contents/x86_64-linux/Quillwave.so";
    SharedLibrary* const library = PinnedModule(file, error);
    if (library == nullptr)
      return false;
    auto entry = reinterpret_cast<bool (*)(void*)>(library->Symbol("ModuleEntry"));
    moduleExit = reinterpret_cast<bool (*)()>(library->Symbol("ModuleExit"));
    auto getFactory = reinterpret_cast<IPluginFactory* (*)()>(library->Symbol("GetPluginFactory"));
    if (!entry || !moduleExit || !getFactory || !entry(library->NativeHandle()))
    {
      error = "the module's entry points failed";
      return false;
    }
    factory = owned(getFactory());
    PClassInfo info{};
    Vst::IComponent* created = nullptr;
    if (!factory || factory->getClassInfo(0, &info) != kResultOk ||
        factory->createInstance(info.cid, Vst::IComponent::iid,
                                reinterpret_cast<void**>(&created)) != kResultOk)
    {
      error = "no instance";
      return false;
    }
    component = owned(created);
    if (component->initialize(&host) != kResultOk)
    {
      error = "initialize failed";
      return false;
    }
    processor = FUnknownPtr<Vst::IAudioProcessor>(component);
    controller = FUnknownPtr<Vst::IEditController>(component);
    Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
    Vst::SpeakerArrangement stereoOut = Vst::SpeakerArr::kStereo;
    Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample64, kBlock, kSampleRate};
    if (!processor || !controller ||
        processor->setBusArrangements(&stereo, 1, &stereoOut, 1) != kResultOk ||
        processor->setupProcessing(setup) != kResultOk)
    {
      error = "processing cannot be set up";
      return false;
    }
    component->activateBus(Vst::kAudio, Vst::kInput, 0, true);
    component->activateBus(Vst::kAudio, Vst::kOutput, 0, true);
    component->activateBus(Vst::kEvent, Vst::kInput, 0, true);
    component->setActive(true);
    processor->setProcessing(true);
    return true;
  }

  ~Vst3Instance()
  {
    if (processor)
    {
      processor->setProcessing(false);
      component->setActive(false);
    }
    if (component)
      component->terminate();
    controller = nullptr;
    processor = nullptr;
    component = nullptr;
    factory = nullptr;
    if (moduleExit)
      moduleExit();
  }

  bool (*moduleExit)() = nullptr;
  pluginhost::HostApplication host{u"Quillwave Render Host"};
  IPtr<IPluginFactory> factory;
  IPtr<Vst::IComponent> component;
  IPtr<Vst::IAudioProcessor> processor;
  IPtr<Vst::IEditController> controller;
};

TEST(StressThreads, Vst3ModuleFromFourThreads)
{
  const TemporaryHome home;
  Vst3Instance plugin;
  std::string error;
  ASSERT_TRUE(plugin.Load(error)) << error;
  StressRun run;

  // Audio: automation of the sound parameters, bypass and program changes
  // arrive with the block, notes from the MIDI source with its event list.
  std::vector<double> inLeft = TestTone(0.03), inRight = TestTone(0.05);
  std::vector<double> outLeft(kBlock), outRight(kBlock);
  pluginhost::ParameterChanges changes;
  pluginhost::EventList events;
  StressRandom audioRandom(1);
  auto audio = [&] {
    changes.Clear();
    events.Clear();
    changes.Add(static_cast<Vst::ParamID>(SoundParameter(audioRandom)), audioRandom.Unit());
    const int64_t block = run.blocks.load();
    if (block % 16 == 0)
      changes.Add(kProgramId, 0.0);
    if (block % 64 == 32)
      changes.Add(kBypassId, block % 128 == 32 ? 1.0 : 0.0);
    for (const StressRun::Message& message : run.Receive())
    {
      Vst::Event event{};
      event.type = Vst::Event::kNoteOnEvent;
      event.sampleOffset = message.data2 % kBlock;
      event.noteOn.pitch = message.data1;
      event.noteOn.velocity = message.data2 / 127.0f;
      event.noteOn.noteId = -1;
      events.Add(event);
    }
    const double* inputs[2] = {inLeft.data(), inRight.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    Vst3StereoBlock stereo(inputs, outputs, kBlock);
    stereo.data.inputParameterChanges = &changes;
    stereo.data.inputEvents = &events;
    plugin.processor->process(stereo.data);
    if (!AllFinite(outLeft, outRight))
      ++run.nonFiniteBlocks;
    ++run.blocks;
    return true;
  };

  StressRandom editorRandom(2);
  IPtr<IPlugView> view;
  std::unique_ptr<OffscreenEditor> editor;
  auto ui = [&] {
    if (!editor)
    {
      view = owned(plugin.controller->createView(Vst::ViewType::kEditor));
      ViewRect size;
      if (!view || view->getSize(&size) != kResultOk)
        return false;
      editor = std::make_unique<OffscreenEditor>(size.getWidth(), size.getHeight());
      if (view->attached(editor->Parent(), IOFFSCREEN_PARENT_PLATFORM_TYPE) != kResultOk)
        return false;
    }
    EditorGesture(*editor, editorRandom, run);
    if (run.Stopping())
      view->removed();
    return true;
  };

  StressRandom hostRandom(3);
  auto controllerThread = [&] {
    const int index = SoundParameter(hostRandom);
    plugin.controller->setParamNormalized(static_cast<Vst::ParamID>(index), hostRandom.Unit());
    plugin.controller->getParamNormalized(static_cast<Vst::ParamID>(SoundParameter(hostRandom)));
    plugin.controller->getParamNormalized(kBypassId);
    Vst::String128 text{};
    plugin.controller->getParamStringByValue(static_cast<Vst::ParamID>(index), hostRandom.Unit(),
                                             text);
    if (run.hostCalls.load() % 8 == 0)
    {
      pluginhost::ByteStream saved;
      plugin.component->getState(&saved);
      pluginhost::ByteStream restored(saved.bytes);
      plugin.component->setState(&restored);
    }
    ++run.hostCalls;
    return true;
  };

  StressRandom midiRandom(4);
  auto midi = [&] {
    run.Send({0x90, static_cast<uint8_t>(36 + midiRandom.Below(48)),
              static_cast<uint8_t>(1 + midiRandom.Below(127))});
    std::this_thread::sleep_for(kMidiInterval);
    return true;
  };

  run.Run({audio, ui, controllerThread, midi});
  if (editor && editor->IsOpen())
    view->removed();
  Report(run);
}

// ---- VST2 ----

// Parameter changes the plug-in reported to the host: the editor's gestures.
std::atomic<int64_t> automatedChanges{0};

VstIntPtr VSTCALLBACK StressHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
  static const VstTimeInfo time = [] {
    VstTimeInfo info{};
    info.sampleRate = kSampleRate;
    info.tempo = 128.0;
    info.flags = kVstTempoValid;
    return info;
  }();
  switch (opcode)
  {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(&time);
    case audioMasterWantMidi:
      return 1;
    case audioMasterAutomate:
      ++automatedChanges;
      return 0;
    default:
      return 0;
  }
}

class Vst2Instance
{
public:
  bool Load(std::string& error)
  {
    SharedLibrary* const library = PinnedModule(QUILLWAVE_VST2_MODULE, error);
    if (library == nullptr)
      return false;
    auto entry =
        reinterpret_cast<AEffect* (*)(audioMasterCallback)>(library->Symbol("VSTPluginMain"));
    effect = entry ? entry(&StressHost) : nullptr;
    if (!effect)
    {
      error = "VSTPluginMain gave no plug-in";
      return false;
    }
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kSampleRate));
    Dispatch(effSetBlockSize, 0, kBlock);
    Dispatch(effMainsChanged, 0, 1);
    return true;
  }

  ~Vst2Instance()
  {
    if (!effect)
      return;
    Dispatch(effMainsChanged, 0, 0);
    Dispatch(effClose);
  }

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const
  {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }

  AEffect* effect = nullptr;
};

TEST(StressThreads, Vst2ModuleFromFourThreads)
{
  const TemporaryHome home;
  Vst2Instance plugin;
  std::string error;
  ASSERT_TRUE(plugin.Load(error)) << error;
  AEffect* const effect = plugin.effect;
  StressRun run;

  // Audio: the host plays its automation back just before each block.
  std::vector<double> tone = TestTone(0.04);
  std::vector<float> inLeft(tone.begin(), tone.end()), inRight(inLeft);
  std::vector<float> outLeft(kBlock), outRight(kBlock);
  StressRandom audioRandom(1);
  auto audio = [&] {
    effect->setParameter(effect, SoundParameter(audioRandom),
                         static_cast<float>(audioRandom.Unit()));
    float* inputs[2] = {inLeft.data(), inRight.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    effect->processReplacing(effect, inputs, outputs, kBlock);
    if (!AllFinite(outLeft, outRight))
      ++run.nonFiniteBlocks;
    ++run.blocks;
    return true;
  };

  StressRandom editorRandom(2);
  std::unique_ptr<OffscreenEditor> editor;
  auto ui = [&] {
    if (!editor)
    {
      ERect* rect = nullptr;
      if (plugin.Dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr)
        return false;
      editor =
          std::make_unique<OffscreenEditor>(rect->right - rect->left, rect->bottom - rect->top);
      if (plugin.Dispatch(effEditOpen, 0, 0, editor->Parent()) != 1)
        return false;
    }
    EditorGesture(*editor, editorRandom, run);
    if (run.Stopping())
      plugin.Dispatch(effEditClose);
    return true;
  };

  // Host: single values, the program and bank chunks saved and restored,
  // program changes and names.
  StressRandom hostRandom(3);
  auto hostThread = [&] {
    effect->setParameter(effect, SoundParameter(hostRandom), static_cast<float>(hostRandom.Unit()));
    effect->getParameter(effect, SoundParameter(hostRandom));
    const VstInt32 chunkKind = hostRandom.Below(2);
    void* bytes = nullptr;
    const VstIntPtr size = plugin.Dispatch(effGetChunk, chunkKind, 0, &bytes);
    if (size > 0 && bytes != nullptr)
    {
      std::vector<uint8_t> saved(static_cast<const uint8_t*>(bytes),
                                 static_cast<const uint8_t*>(bytes) + size);
      plugin.Dispatch(effSetChunk, chunkKind, size, saved.data());
    }
    plugin.Dispatch(effSetProgram, 0, 0);
    char name[kVstMaxProgNameLen] = {};
    plugin.Dispatch(effGetProgramName, 0, 0, name);
    ++run.hostCalls;
    return true;
  };

  // MIDI: controllers on channel 1 delivered as the host's event calls.
  StressRandom midiRandom(4);
  auto midi = [&] {
    VstMidiEvent message{};
    message.type = kVstMidiType;
    message.byteSize = sizeof message;
    message.deltaFrames = midiRandom.Below(kBlock);
    const uint8_t controllers[] = {1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 14};
    message.midiData[0] = static_cast<char>(0xB0);
    message.midiData[1] =
        static_cast<char>(controllers[midiRandom.Below(static_cast<int>(std::size(controllers)))]);
    message.midiData[2] = static_cast<char>(midiRandom.Below(128));
    VstEvents list{};
    list.numEvents = 1;
    list.events[0] = reinterpret_cast<VstEvent*>(&message);
    plugin.Dispatch(effProcessEvents, 0, 0, &list);
    ++run.midiMessages;
    std::this_thread::sleep_for(kMidiInterval);
    return true;
  };

  automatedChanges = 0;
  run.Run({audio, ui, hostThread, midi});
  Report(run);
  EXPECT_GT(automatedChanges.load(), 0) << "the editor's gestures changed no parameter";
}
}  // namespace
