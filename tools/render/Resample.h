#pragma once

#include <string>

#include "tools/audiofile/AudioFile.h"

// Converts both channels to another sample rate with libsamplerate's best sinc converter.
bool Resample(StereoAudio& audio, double targetRate, std::string& error);
