// The probe module: the module entry around ProbeEffect, loaded by the module tests as a host
// loads a plug-in.
#include "tests/vst/ProbeEffect.h"
#include "vst/ModuleEffect.h"

VstEffect* CreateModuleEffect(audioMasterCallback host) {
  return new ProbeEffect(host);
}
