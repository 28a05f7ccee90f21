#pragma once

#include <ostream>
#include <string>

#include "tools/pluginhost/PluginInstance.h"
#include "tools/audiofile/AudioFile.h"
#include "tools/render/RenderOptions.h"

// Lists parameters with their ranges and display texts, programs and buses.
void PrintModuleInfo(PluginInstance& plugin, std::ostream& out);

// Processes the audio through the plug-in in blocks, in place, delivering the timed
// controller messages in the blocks they fall in. Shows progress on `progress` for long files
// when `interactive`.
bool RenderAudio(PluginInstance& plugin, const RenderOptions& options, StereoAudio& audio,
                 std::ostream& progress, bool interactive, std::string& error);
