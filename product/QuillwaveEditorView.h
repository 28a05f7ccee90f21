#pragma once

#include "framework/IParameterView.h"

#include <string>

// What the plug-in's own code needs from its editor: controls that follow the
// values the plug-in sets itself (MIDI controllers, preset files), the preset
// name of the preset strip, and the load and save file selectors with the
// files they remember. The editor implements it; while the plug-in has no
// editor it holds none and every one of these calls is skipped.
//
// As the plug-in's parameter view it shows every parameter change made
// outside the editor (ApplyParameterFromPlugin).
class QuillwaveEditorView : public IParameterView
{
public:
  virtual ~QuillwaveEditorView() = default;

  // The preset strip shows `name`.
  virtual void SetPresetName(const std::string& name) = 0;

  // The file the load selector remembers (chosen in its dialog, or stored by the
  // preset menu and step buttons).
  virtual std::string LoadSelectorFile() const = 0;
  virtual void SetLoadSelectorFile(const std::string& path) = 0;
  // The file the save selector remembers.
  virtual std::string SaveSelectorFile() const = 0;

  // True while the editor's own preset control bound to parameter `index`
  // reports what the user did: a file selector (PresetLoad, PresetSave) the
  // result of its dialog, a step button (PresetBackward, PresetForward) its
  // press or release, the preset menu (PresetSelector) its choice. A change
  // of that parameter from anywhere else (host automation, a restored state)
  // is not.
  virtual bool DeliversUserAction(int index) const = 0;
};
