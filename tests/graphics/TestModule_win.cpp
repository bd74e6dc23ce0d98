// On Windows the editor tests' images are resources of the test executable itself.
#include <windows.h>

#include "tests/graphics/EditorTestSupport.h"

ModuleHandle TestModule() {
  return GetModuleHandleA(nullptr);
}
