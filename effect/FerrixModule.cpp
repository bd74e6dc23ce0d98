// The Ferrix module: every entry call creates one Ferrix.
#include "effect/Ferrix.h"
#include "vst/ModuleEffect.h"

VstEffect* CreateModuleEffect(audioMasterCallback host) {
  return new Ferrix(host);
}
