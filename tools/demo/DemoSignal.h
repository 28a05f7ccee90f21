#pragma once

#include "tools/audiofile/AudioFile.h"

// The demo's programme material: four saw-wave chords, detuned slightly
// between the channels, with a burst of noise at the start of each chord.
StereoAudio MakeDemoSignal(double sampleRate, double seconds);
