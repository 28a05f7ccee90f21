#pragma once

#include "pluginterfaces/base/fplatform.h"

// The module's load and unload entry points besides GetPluginFactory (which
// pluginterfaces/base/ipluginbase.h declares). InitDll publishes the module
// handle for the editor's images; ExitDll releases nothing.
extern "C"
{
SMTG_EXPORT_SYMBOL bool InitDll();
SMTG_EXPORT_SYMBOL bool ExitDll();
}
