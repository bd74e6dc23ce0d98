// On Linux the editor tests' images are the generated table kGraphicsTestResources.
#include "platform/ResourceTable.h"
#include "tests/graphics/EditorTestSupport.h"

extern const ResourceTable kGraphicsTestResources;

ModuleHandle TestModule() {
  return const_cast<ResourceTable*>(&kGraphicsTestResources);
}
