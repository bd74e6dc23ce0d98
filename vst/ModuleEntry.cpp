// The module entry VSTPluginMain, also exported as main: creates one effect per call under a
// module-wide creation lock, fills the unused program slots, and hands the host the record.
#include <mutex>

#include "vst/ModuleEffect.h"
#include "vst/ModuleExport.h"
#include "vst/VstEffect.h"

namespace {

// Created on the first entry call, destroyed when the process ends.
std::mutex& CreationLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

FERRIX_MODULE_EXPORT AEffect* VSTPluginMain(audioMasterCallback host) {
  std::lock_guard guard(CreationLock());
  // A failed allocation or construction answers null; nothing may be thrown to the host.
  try {
    VstEffect* effect = CreateModuleEffect(host);
    if (!effect) return nullptr;
    effect->FillEmptyPresets("Empty", effect->NPresets());
    AEffect* record = effect->Record();
    if (record->numPrograms < 1) record->numPrograms = 1;
    return record;
  } catch (...) {
    return nullptr;
  }
}

// Older hosts look the entry up as main. A C++ function called main must return int, so the
// second name is given to the assembler directly.
FERRIX_MODULE_EXPORT AEffect* MainEntry(audioMasterCallback host) asm("main");
AEffect* MainEntry(audioMasterCallback host) {
  return VSTPluginMain(host);
}
