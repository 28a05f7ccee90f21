#pragma once

// Where the Windows modules and the factory presets lie in the Wine prefix: the install
// layout of cmake/QuillwaveInstall.cmake on drive C, which the wine_session fixture installs.

namespace wineinstall
{

constexpr const char* kVst3Bundle = "C:\\Program Files\\Common Files\\VST3\\Quillwave.vst3";
constexpr const char* kVst3Module =
    "C:\\Program Files\\Common Files\\VST3\\Quillwave.vst3\\Contents\\x86_64-win\\Quillwave.vst3";
constexpr const char* kVst2Module = "C:\\Program Files\\VSTPlugins\\Quillwave.dll";
// The preset library in the shared documents folder, and its factory presets.
constexpr const char* kPresetLibrary =
    "C:\\users\\Public\\Documents\\PleoAudio\\Quillwave\\Presets";
constexpr const char* kFactoryPresets =
    "C:\\users\\Public\\Documents\\PleoAudio\\Quillwave\\Presets\\Factory";

}  // namespace wineinstall
