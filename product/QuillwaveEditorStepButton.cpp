#include "product/QuillwaveEditorStepButton.h"

#include "product/LockedFlag.h"

void QuillwaveEditorStepButton::MarkDirty(bool notifyPlugin)
{
  if (!notifyPlugin)
  {
    IContactControl::MarkDirty(false);
    return;
  }
  // Held across the notification, so no other thread's change of the
  // parameter can see the flag set.
  const PluginLock lock(GetPlugin());
  const LockedFlag notifying(GetPlugin(), delivering);
  IContactControl::MarkDirty(true);
}
