// Test host for the module tests: loads a built plug-in module through its exported entry (with
// the host library's module loading), answers the requests a plug-in makes as each test scripts
// them, and records every request with the events it carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vst/VstAbi.h"

namespace ferrix::vst::testing {

// A path from the build as the running platform names it; one file per platform.
std::string NativePath(const char* buildPath);
std::string ProbeModule();

struct Request {
  int32_t opcode = 0;
  int32_t index = 0;
  VstIntPtr value = 0;
  float opt = 0.0f;
  std::vector<VstEvent> events;  // audioMasterProcessEvents: copies of the events passed
};

class ScriptedHost {
 public:
  // audioMasterGetProductString: the buffer is left untouched when the product is null.
  const char* product = "ferrix test host";
  VstIntPtr vendorVersion = 10003;
  VstIntPtr processLevel = kVstProcessLevelRealtime;
  VstIntPtr eventsAnswer = 1;
  const VstTimeInfo* time = nullptr;  // audioMasterGetTime

  std::vector<Request> requests;
  int Count(int32_t opcode) const;
  // The effect finds its host through AEffect::user, which the module sets up after the entry.
  static VstIntPtr Callback(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value,
                            void* ptr, float opt);
};

class LoadedModule {
 public:
  // Calls the entry `entryName` with the host's callback, or with none when host is null.
  LoadedModule(const std::string& path, ScriptedHost* host,
               const char* entryName = "VSTPluginMain");
  ~LoadedModule();  // closes the effect when still open, then releases the module
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // Another effect from the same entry, which the caller closes.
  AEffect* CreateAnother(ScriptedHost* host) const;

  AEffect* effect = nullptr;
  VstIntPtr Dispatch(int32_t opcode, int32_t index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const;
  std::string Text(int32_t opcode, int32_t index = 0) const;
  void Close();

 private:
  void* library_ = nullptr;
  VstPluginMainProc entry_ = nullptr;
};

}  // namespace ferrix::vst::testing
