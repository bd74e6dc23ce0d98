// Test host for the module tests: module loading through the host library, scripted answers and
// the request log.
#include "tests/vst/ModuleHost.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/plugin/SharedLibrary.h"

namespace ferrix::vst::testing {

std::string ProbeModule() {
  return NativePath(PROBE_MODULE);
}

int ScriptedHost::Count(int32_t opcode) const {
  int count = 0;
  for (const Request& r : requests)
    count += r.opcode == opcode ? 1 : 0;
  return count;
}

VstIntPtr ScriptedHost::Callback(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value,
                                 void* ptr, float opt) {
  auto* self = effect ? static_cast<ScriptedHost*>(effect->user) : nullptr;
  if (!self) {
    ADD_FAILURE() << "host request " << opcode << " without a known effect";
    return 0;
  }
  Request request{opcode, index, value, opt, {}};
  switch (opcode) {
    case audioMasterGetProductString:
      if (self->product) std::strcpy(static_cast<char*>(ptr), self->product);
      break;
    case audioMasterGetVendorVersion:
      self->requests.push_back(request);
      return self->vendorVersion;
    case audioMasterGetCurrentProcessLevel:
      self->requests.push_back(request);
      return self->processLevel;
    case audioMasterGetTime:
      self->requests.push_back(request);
      return reinterpret_cast<VstIntPtr>(self->time);
    case audioMasterProcessEvents: {
      const auto* events = static_cast<const VstEvents*>(ptr);
      for (int32_t i = 0; i < events->numEvents; ++i)
        request.events.push_back(*events->events[i]);
      self->requests.push_back(request);
      return self->eventsAnswer;
    }
    default:
      break;
  }
  self->requests.push_back(request);
  return 0;
}

LoadedModule::LoadedModule(const std::string& path, ScriptedHost* host, const char* entryName) {
  std::string why;
  library_ = host::OpenSharedLibrary(path, why);
  if (!library_) {
    ADD_FAILURE() << path << ": " << why;
    return;
  }
  entry_ = reinterpret_cast<VstPluginMainProc>(host::FindSharedSymbol(library_, entryName));
  if (!entry_) {
    ADD_FAILURE() << path << " has no " << entryName;
    return;
  }
  effect = CreateAnother(host);
}

AEffect* LoadedModule::CreateAnother(ScriptedHost* host) const {
  AEffect* created = entry_(host ? &ScriptedHost::Callback : nullptr);
  if (created) created->user = host;
  return created;
}

LoadedModule::~LoadedModule() {
  Close();
  if (library_) host::CloseSharedLibrary(library_);
}

VstIntPtr LoadedModule::Dispatch(int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                                 float opt) const {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string LoadedModule::Text(int32_t opcode, int32_t index) const {
  char text[256] = {};
  Dispatch(opcode, index, 0, text);
  return text;
}

void LoadedModule::Close() {
  if (!effect) return;
  Dispatch(effClose);
  effect = nullptr;
}

}  // namespace ferrix::vst::testing
