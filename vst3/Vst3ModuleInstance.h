#pragma once

// The handle of the loaded VST3 module. The platform's load hook records it
// (Linux: ModuleEntry); InitDll publishes it as the module the editor loads
// its images from. Null until published.
void Vst3RecordModuleInstance(void* handle);
void Vst3PublishModuleInstance();
void* Vst3ModuleInstance();
