#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The preset file text of a new instance's values, as the plug-in writes it.
inline const char* const kDefaultPresetText =
    "<Company>Pleo Audio</Company><Product>Quillwave</Product><Version>1.0.0</Version>"
    "<FilterTone>0.5</FilterTone><MainFxOffOn>0</MainFxOffOn><MainOutputBlend>1</MainOutputBlend>"
    "<QuillwaveBandwidth>0.5</QuillwaveBandwidth><QuillwaveCenter>0.5</QuillwaveCenter>"
    "<QuillwaveFeedback>0.5</QuillwaveFeedback><QuillwaveMode>0</QuillwaveMode>"
    "<QuillwaveRate>0.5</QuillwaveRate><SaturationGain>0</SaturationGain>";

// The whole file as it is on disk; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
