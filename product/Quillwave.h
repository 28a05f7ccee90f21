#pragma once

#include "engine/Engine.h"
#include "product/IMidiEventQueue.h"
#include "product/PresetFile.h"
#include "product/PresetLibrarySnapshot.h"
#include "product/QuillwaveBinding.h"

#include <memory>
#include <optional>
#include <string>

class QuillwaveEditor;
class QuillwaveEditorView;

// The product: a stereo chorus/flanger with 22 parameters generated from the
// engine's parameter table, MIDI controllers on channel 1 and a preset library
// of text files. The same source serves both modules; QuillwaveBinding is the
// module's binding class.
class Quillwave final : public QuillwaveBinding
{
public:
  // The editor's images are the resources of `moduleInstance`, the module the
  // plug-in was loaded from; without one the editor is built with empty images.
  explicit Quillwave(QuillwaveBinding::HostContext host = {}, void* moduleInstance = nullptr);
  ~Quillwave() override;

  // Resets the engine for the current sample rate, applies every parameter
  // value again, returns PresetSelector to 0 and sizes the MIDI queue for the
  // current block size.
  void OnReset() override;
  // Forwards the parameter's plain value to the engine; the preset controls
  // (PresetBackward, PresetForward, PresetLoad, PresetSave, PresetSelector)
  // then run their action.
  void OnParameterChanged(int index) override;
  // Applies the block's MIDI controllers and the host tempo, then runs the
  // engine once over the whole block. The caller holds the mutex.
  void ProcessDouble(double** inputs, double** outputs, int frames) override;
  // Queues messages on the plug-in's MIDI channel; drops all others.
  void OnMidiMessage(const IMidiMessage* message) override;
  // Reads the preset library into memory again, so host automation selects
  // what the files hold now.
  void OnEditorOpen() override;

  // Connects the editor's view (BuildEditor connects the plug-in's own), which
  // also shows every parameter change made outside the editor. A view given
  // here is not owned and must outlive the plug-in or be detached with null.
  void AttachEditorView(QuillwaveEditorView* view);

  // The PresetSelector value of its most recent change.
  float GetLastPresetNumber() const { return lastPresetNumber; }
  const EngineState& GetEngine() const { return *engine; }

private:
  // Builds the editor, attaches it and connects its view.
  void BuildEditor(void* moduleInstance);

  void ApplyController(const IMidiMessage& message);
  // A step button's parameter changed: steps when its value rises to 1.
  void OnStepParameter(int index, double direction);
  void StepPreset(double direction, bool userAction);
  // Loads the catalogue entry PresetSelector names: from its file for the
  // editor's own menu and step buttons, from the library in memory for
  // everything else, which may run on the audio thread.
  void SelectPreset(bool userAction);
  // True while the editor's control for `index` reports the user's action.
  bool IsUserAction(int index) const;
  // Reads a preset file and applies its values; a file that cannot be read, or
  // whose last line is empty, changes nothing.
  void LoadPresetFile(const std::string& path);
  void SavePresetFile(const std::string& path);
  // Applies the values a preset file held (none: nothing changes) and shows
  // its name.
  void ApplyPresetValues(const std::optional<PresetReadValues>& values,
                         const std::string& displayName);
  void ShowPresetName(const std::string& displayName);
  // Sets a parameter's plain value (limited to its range) and the engine's copy,
  // without the change hook or a host notification.
  void StoreParameter(int index, double value);

  IMidiEventQueue midiQueue;
  std::unique_ptr<EngineState, EngineStateDeleter> engine;
  // The preset library folder, as it was when the plug-in was created.
  const std::string libraryFolder;
  // The catalogue files as last read, for selections that must not open files.
  PresetLibrarySnapshot presetLibrary;
  // The step buttons' values at their last change; a step needs a rise to 1,
  // so a host that sends back the press the editor reported does not step again.
  double backwardValue = 0.0;
  double forwardValue = 0.0;
  // The editor's layout and view. The graphics object it built belongs to
  // the framework, which destroys it after this.
  std::unique_ptr<QuillwaveEditor> editorLayout;
  QuillwaveEditorView* editorView = nullptr;
  float lastPresetNumber = 0.0f;
};
