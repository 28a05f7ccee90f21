#include "product/QuillwaveEditorFileSelector.h"

#include "graphics/PluginLock.h"
#include "product/LockedFlag.h"

void QuillwaveEditorFileSelector::OnMouseDown(int x, int y, const IMouseModifiers& modifiers)
{
  // The mutex is not held across the dialog: processing must not wait for the user.
  const LockedFlag open(GetPlugin(), prompting);
  IFileSelectorControl::OnMouseDown(x, y, modifiers);
}

void QuillwaveEditorFileSelector::FinishSelection()
{
  const LockedFlag open(GetPlugin(), prompting);
  IFileSelectorControl::FinishSelection();
}

void QuillwaveEditorFileSelector::MarkDirty(bool notifyPlugin)
{
  // Only the notification at the end of the selector's own press reports a
  // dialog; a double click, say, changes the value without one.
  if (!notifyPlugin || !prompting || State() != IFileSelectorState::Done)
  {
    IFileSelectorControl::MarkDirty(notifyPlugin);
    return;
  }
  // Held across the notification, which takes the same (recursive) mutex, so
  // no other thread's change of the parameter can see the flag set.
  const PluginLock lock(GetPlugin());
  const LockedFlag notifying(GetPlugin(), delivering);
  IFileSelectorControl::MarkDirty(true);
}

void QuillwaveEditorFileSelector::Remember(const std::string& path)
{
  if (!prompting)
  {
    SetFile(path);
  }
}
