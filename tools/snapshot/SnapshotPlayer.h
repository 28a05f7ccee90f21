#pragma once

#include <string>

#include "tools/pluginhost/OffscreenEditor.h"
#include "tools/snapshot/SnapshotScript.h"

// Plays one step on the open editor: input goes to it at once, answers wait for the next
// dialog of their kind. False with a reason, starting with the step's origin, when the editor
// is closed or a dialog the step opened found no fitting answer.
bool PlaySnapshotStep(OffscreenEditor& editor, const SnapshotStep& step, std::string& error);
