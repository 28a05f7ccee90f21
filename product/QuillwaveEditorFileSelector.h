#pragma once

#include "graphics/IFileSelectorControl.h"

#include <string>

// The load and save buttons of the preset strip: file selectors that can say
// whether a change of their parameter is the result of their own dialog, so
// the plug-in reads or writes a preset file only when the user asked for it
// and never for host automation or a restored state.
//
// The remembered file is shared with the plug-in's threads (the preset menu
// and the step buttons store catalogue paths in it, the preset actions read
// it), so it is read and written under the plug-in's mutex. While the dialog
// runs, the dialog owns it: a path stored meanwhile is dropped, as the dialog
// replaces the file with its own answer anyway.
class QuillwaveEditorFileSelector final : public IFileSelectorControl
{
public:
  using IFileSelectorControl::IFileSelectorControl;

  void OnMouseDown(int x, int y, const IMouseModifiers& modifiers) override;
  // A dialog answered later is delivered as one answered at once.
  void FinishSelection() override;
  void MarkDirty(bool notifyPlugin) override;

  // True while the selector notifies the plug-in of its dialog's result.
  // The caller holds the plug-in's mutex.
  bool DeliversDialogResult() const { return delivering; }

  // The caller holds the plug-in's mutex.
  std::string RememberedFile() const { return GetFile(); }
  void Remember(const std::string& path);

private:
  // Set for the whole press: the dialog and the notification of its result.
  bool prompting = false;
  bool delivering = false;
};
