// The effect a plug-in module is built around: each module defines CreateModuleEffect once, and
// the module entry calls it for every effect the host asks for.
#pragma once

#include "vst/VstAbi.h"

class VstEffect;

// Constructs the module's effect with the host callback; may throw std::bad_alloc.
VstEffect* CreateModuleEffect(audioMasterCallback host);
