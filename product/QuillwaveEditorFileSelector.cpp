#include "product/QuillwaveEditorFileSelector.h"

#include "graphics/PluginLock.h"

namespace
{

// Sets a flag under the plug-in's mutex for a scope and clears it on the way
// out, however the scope is left.
class LockedFlag
{
public:
  LockedFlag(IEffectBase* plugin, bool& flag) : plugin(plugin), flag(flag)
  {
    const PluginLock lock(plugin);
    flag = true;
  }
  ~LockedFlag()
  {
    const PluginLock lock(plugin);
    flag = false;
  }

  LockedFlag(const LockedFlag&) = delete;
  LockedFlag& operator=(const LockedFlag&) = delete;

private:
  IEffectBase* const plugin;
  bool& flag;
};

}  // namespace

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
