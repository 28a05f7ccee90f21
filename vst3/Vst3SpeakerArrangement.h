#pragma once

#include "pluginterfaces/vst/vsttypes.h"

// The speaker arrangement a bus with this many channels announces: mono,
// stereo, three, four, five and six channels have fixed layouts; any other
// count is the empty arrangement.
Steinberg::Vst::SpeakerArrangement Vst3ArrangementForChannels(int channels);
