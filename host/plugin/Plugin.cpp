// Loading a module the way hosts do (VSTPluginMain, else the older name main) and the dispatcher
// helpers. Text requests get roomy, zeroed buffers: many plug-ins write past the VST size limits.
#include "host/plugin/Plugin.h"

#include <cstring>
#include <filesystem>

#include "host/plugin/SharedLibrary.h"
#include "host/signals/CrashGuard.h"

namespace ferrix::host {
namespace {

constexpr size_t kTextCapacity = 512;

std::string Trimmed(const char* text) {
  std::string s(text);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.pop_back();
  return s;
}

}  // namespace

LoadResult Plugin::Load(const std::string& path, Host& host) {
  LoadResult result;
  auto fail = [&](LoadError error, const std::string& what) {
    result.error = error;
    result.message = path + ": " + what;
    return std::move(result);
  };
  if (!std::filesystem::is_regular_file(path)) {
    return fail(LoadError::kCannotOpen, "no such plug-in file");
  }
  std::string why;
  PluginCall call;  // loading and unloading run the module's own initialisers
  void* library = OpenSharedLibrary(path, why);
  if (library == nullptr)
    return fail(LoadError::kCannotOpen, "cannot load the module (" + why + ")");

  auto entry = reinterpret_cast<VstPluginMainProc>(FindSharedSymbol(library, "VSTPluginMain"));
  if (entry == nullptr)
    entry = reinterpret_cast<VstPluginMainProc>(FindSharedSymbol(library, "main"));
  if (entry == nullptr) {
    CloseSharedLibrary(library);
    return fail(LoadError::kNoEntry, "not a VST 2.4 plug-in (no VSTPluginMain or main entry)");
  }

  host.SetPluginDirectory(std::filesystem::path(path).parent_path().string());
  AEffect* effect = nullptr;
  {
    Host::CreationScope scope(host);
    effect = entry(Host::Callback());
    if (effect != nullptr && effect->magic == kEffectMagic) effect->user = &host;
  }
  if (effect == nullptr) {
    CloseSharedLibrary(library);
    return fail(LoadError::kEntryAnsweredNull, "the plug-in's entry created no effect");
  }
  if (effect->magic != kEffectMagic) {
    // Not a record we know how to close; leave it alone and release the module.
    CloseSharedLibrary(library);
    return fail(LoadError::kWrongMagic, "not a VST 2.4 plug-in (wrong magic in the effect record)");
  }
  result.plugin.reset(new Plugin(library, effect, path));
  return result;
}

Plugin::Plugin(void* library, AEffect* effect, std::string path)
    : library_(library), effect_(effect), path_(std::move(path)) {}

Plugin::~Plugin() {
  Close();
  PluginCall call;
  CloseSharedLibrary(library_);
}

VstIntPtr Plugin::Dispatch(int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                           float opt) const {
  PluginCall call;
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void Plugin::Open() const {
  Dispatch(effOpen);
}

void Plugin::Close() {
  if (!open_) return;
  open_ = false;
  Dispatch(effClose);
}

void Plugin::SetSampleRate(double rate) const {
  Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
}

void Plugin::SetBlockSize(int32_t frames) const {
  Dispatch(effSetBlockSize, 0, frames);
}

void Plugin::SetMains(bool on) const {
  Dispatch(effMainsChanged, 0, on ? 1 : 0);
}

void Plugin::SetProcessPrecision(bool doublePrecision) const {
  Dispatch(effSetProcessPrecision, 0,
           doublePrecision ? kVstProcessPrecision64 : kVstProcessPrecision32);
}

void Plugin::StartProcess() const {
  Dispatch(effStartProcess);
}

void Plugin::StopProcess() const {
  Dispatch(effStopProcess);
}

std::string Plugin::Text(int32_t opcode, int32_t index) const {
  char buffer[kTextCapacity] = {};
  Dispatch(opcode, index, 0, buffer);
  buffer[kTextCapacity - 1] = '\0';
  return Trimmed(buffer);
}

std::string Plugin::ParamName(int32_t index) const {
  return Text(effGetParamName, index);
}

std::string Plugin::ParamLabel(int32_t index) const {
  return Text(effGetParamLabel, index);
}

std::string Plugin::ParamDisplay(int32_t index) const {
  return Text(effGetParamDisplay, index);
}

float Plugin::GetParam(int32_t index) const {
  PluginCall call;
  return effect_->getParameter(effect_, index);
}

void Plugin::SetParam(int32_t index, float normalized) const {
  PluginCall call;
  effect_->setParameter(effect_, index, normalized);
}

bool Plugin::String2Parameter(int32_t index, const std::string& text) const {
  std::string copy = text;
  return Dispatch(effString2Parameter, index, 0, copy.data()) != 0;
}

int32_t Plugin::Program() const {
  return static_cast<int32_t>(Dispatch(effGetProgram));
}

void Plugin::SetProgram(int32_t index) const {
  Dispatch(effBeginSetProgram);
  Dispatch(effSetProgram, 0, index);
  Dispatch(effEndSetProgram);
}

std::string Plugin::ProgramName() const {
  return Text(effGetProgramName);
}

void Plugin::SetProgramName(const std::string& name) const {
  char buffer[kVstMaxProgNameLen + 1] = {};
  std::strncpy(buffer, name.c_str(), kVstMaxProgNameLen);
  Dispatch(effSetProgramName, 0, 0, buffer);
}

std::string Plugin::ProgramNameIndexed(int32_t index) const {
  char buffer[kTextCapacity] = {};
  Dispatch(effGetProgramNameIndexed, index, -1, buffer);
  buffer[kTextCapacity - 1] = '\0';
  return Trimmed(buffer);
}

std::vector<uint8_t> Plugin::GetChunk(bool program) const {
  void* data = nullptr;
  VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
  if (size <= 0 || data == nullptr) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

bool Plugin::SetChunk(bool program, const std::vector<uint8_t>& data) const {
  std::vector<uint8_t> copy = data;  // the plug-in may keep reading it during the call only
  return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(copy.size()), copy.data()) !=
         0;
}

std::string Plugin::EffectName() const {
  return Text(effGetEffectName);
}

std::string Plugin::VendorString() const {
  return Text(effGetVendorString);
}

std::string Plugin::ProductString() const {
  return Text(effGetProductString);
}

int32_t Plugin::VendorVersion() const {
  return static_cast<int32_t>(Dispatch(effGetVendorVersion));
}

VstIntPtr Plugin::CanDo(const char* feature) const {
  std::string copy = feature;
  return Dispatch(effCanDo, 0, 0, copy.data());
}

int32_t Plugin::Category() const {
  return static_cast<int32_t>(Dispatch(effGetPlugCategory));
}

}  // namespace ferrix::host
