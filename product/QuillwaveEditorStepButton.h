#pragma once

#include "graphics/IContactControl.h"

// The preset strip's previous and next buttons: momentary buttons that can
// say whether a change of their parameter is the user's own press or
// release. A click in the editor reads the preset file it steps to; the same
// step automated by the host is taken from the library in memory.
class QuillwaveEditorStepButton final : public IContactControl
{
public:
  using IContactControl::IContactControl;

  void MarkDirty(bool notifyPlugin) override;

  // True while the button notifies the plug-in of a press or release. The
  // caller holds the plug-in's mutex.
  bool DeliversPress() const { return delivering; }

private:
  bool delivering = false;
};
