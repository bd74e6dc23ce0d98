// ExecutableImages: for tests and tools that link Ferrix's images (ferrix_images) into their own
// executable, the module handle to find them by. Pass it to SetModuleInstance before the first
// editor loads an image: the image cache remembers a missing image.
#pragma once

#include "platform/ModuleInstance.h"

ModuleHandle ExecutableImages();
