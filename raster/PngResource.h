// PngResource: the bytes of a module resource of type "PNG" (Windows: the module's resources;
// Linux: its generated resource table). The bytes live as long as the module.
#pragma once

#include <cstdint>

#include "platform/ModuleInstance.h"

// False when there is no such resource or it holds 7 bytes or fewer.
bool FindPngResource(ModuleHandle module, int id, const void** data, int32_t* size);
