#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/pluginhost/PlatformEditor.h"

#if !defined(_WIN32)
class X11HostWindow;
#endif

// A plug-in instance as a host sees it, whatever the module format. The render tool and the
// whole-module tests drive Quillwave through this interface, which talks to the module only
// through its exported entry points.

struct HostParameter
{
  std::string name;
  std::string units;
  uint32_t id = 0;
  double defaultNormalized = 0.0;
  int32_t stepCount = 0;
  bool automatable = false;
};

struct HostMidiMessage
{
  int32_t offset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};

enum class SamplePrecision
{
  Single,
  Double
};

class PluginInstance
{
public:
  virtual ~PluginInstance() = default;

  virtual std::string Format() const = 0;
  virtual std::string Name() const = 0;

  virtual int ParameterCount() const = 0;
  virtual HostParameter Parameter(int index) const = 0;
  virtual double Normalized(int index) const = 0;
  // The text the module shows for a proposed normalised value, without changing anything.
  virtual std::string DisplayText(int index, double normalized) const = 0;
  // The text the module shows for the parameter's current value.
  virtual std::string ValueText(int index) const = 0;
  // Both take effect for the next processed block.
  virtual void SetNormalized(int index, double normalized) = 0;
  virtual void SetPlain(int index, double plain) = 0;

  virtual std::vector<std::string> Programs() const = 0;
  virtual std::vector<std::string> Buses() const = 0;

  // Activates processing; must be called before Process. Returns false with a reason.
  virtual bool Prepare(double sampleRate, int32_t maxBlockSize, SamplePrecision precision,
                       std::string& error) = 0;
  virtual void SetTempo(double bpm) = 0;
  // Selects host program `index`, taking effect by the next processed block (VST2
  // effSetProgram; VST3 the program-change parameter).
  virtual void SelectProgram(int index) = 0;
  // As hosts do, every edit the editor reports goes back to the plug-in with the next
  // processed block (VST3 performEdit as a parameter change of that block, VST2
  // audioMasterAutomate as a setParameter ahead of it). Off until turned on.
  virtual void EchoEditorEdits(bool echo) = 0;
  // Whether MIDI controller messages reach the plug-in: VST2 passes them as events, VST3
  // as changes of the parameters the plug-in maps them to (IMidiMapping), when it does.
  virtual bool TakesControllers() const = 0;
  // Queues a message for the next block; false when the module format cannot carry it.
  virtual bool QueueMidi(const HostMidiMessage& message) = 0;
  // Two input and two output channels of `frames` samples, in the prepared precision.
  virtual void Process(const float* const* inputs, float** outputs, int32_t frames) = 0;
  virtual void Process(const double* const* inputs, double** outputs, int32_t frames) = 0;

  // The opaque blob a host stores with a song.
  virtual std::vector<uint8_t> SaveState() = 0;
  virtual bool LoadState(const std::vector<uint8_t>& state) = 0;

  // Opens the module's editor in this platform's parent (PlatformEditor.h: off-screen on
  // Linux, a top-level window on Windows) through the format's own editor calls (VST3:
  // createView, isPlatformTypeSupported, getSize, attached; VST2: effEditGetRect,
  // effEditOpen, then effEditIdle from the host's message loop) and returns it, or null with
  // a reason. An open editor is closed first. The editor belongs to the instance and is valid
  // until CloseEditor or the instance's end, which close it as the format does (VST3: removed
  // and release; VST2: effEditClose).
  virtual PlatformEditor* OpenEditor(std::string& error) = 0;
  virtual void CloseEditor() = 0;

#if !defined(_WIN32)
  // The other Linux side: opens the editor as an X11 child window of `parent`, as Linux hosts
  // do (VST3: "X11EmbedWindowID", with the host's run loop offered by the view's frame; VST2:
  // effEditOpen with the window id). False with a reason. An open editor is closed first;
  // CloseEditor closes this one too.
  virtual bool OpenX11Editor(X11HostWindow& parent, std::string& error) = 0;
  // The host's user-interface loop for `milliseconds` while an X11 editor is open: VST3 the
  // frame's run loop, VST2 effEditIdle every 10 ms.
  virtual void RunX11Editor(int milliseconds) = 0;
#endif
};

// Loads a `.vst3` bundle (or the shared object inside one) or a VST2 shared object and
// creates one instance. Returns null and a reason when that fails.
std::unique_ptr<PluginInstance> LoadPluginModule(const std::string& path, std::string& error);
