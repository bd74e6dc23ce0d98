// The module handle under which the raster tests find their embedded images (ids 101-103).
#pragma once

#include "platform/ModuleInstance.h"

ModuleHandle TestModule();
