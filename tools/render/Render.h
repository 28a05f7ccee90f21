#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "tools/audiofile/AudioFile.h"
#include "tools/pluginhost/PluginInstance.h"
#include "tools/render/BlockSource.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/RenderOptions.h"

// Lists parameters with their ranges and display texts, programs and buses.
void PrintModuleInfo(PluginInstance& plugin, std::ostream& out);

// False with a reason when the options hold controller messages the module cannot take.
bool CheckControllers(PluginInstance& plugin, const RenderOptions& options, std::string& error);

enum class RenderStatus
{
  Done,
  Failed,
  Interrupted
};

// Streams the source through the plug-in in blocks of the options' size into the writer,
// delivering the timed controller messages in the blocks they fall in, and keeps `progress`
// up to date. Stops at the next block after an interruption (Interruption.h). `written` counts
// the frames written.
RenderStatus RenderStream(PluginInstance& plugin, const RenderOptions& options, BlockSource& source,
                          AudioFileWriter& writer, ProgressBar& progress, uint64_t& written,
                          std::string& error);
