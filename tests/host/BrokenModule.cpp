// Modules that are not VST 2.4 plug-ins, for the host's error paths. BROKEN_ENTRY_NAME is
// VSTPluginMain, or another name for a module without an entry; BROKEN_ANSWERS_NULL chooses
// between an entry answering null and one answering a record with the wrong magic.
#include "tests/host/TestPluginExport.h"
#include "vst/VstAbi.h"

namespace {
AEffect gRecord{};
}  // namespace

TEST_PLUGIN_EXPORT AEffect* BROKEN_ENTRY_NAME(audioMasterCallback) {
  if (BROKEN_ANSWERS_NULL) return nullptr;
  gRecord.magic = 0x12345678;
  return &gRecord;
}
