// A VST 2.4 plug-in instance as a host drives it: the module it came from, its effect record, and
// typed helpers for the dispatcher requests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/plugin/Host.h"
#include "vst/VstAbi.h"

namespace ferrix::host {

enum class LoadError {
  kNone,
  kCannotOpen,         // missing file, or not a loadable library
  kNoEntry,            // neither VSTPluginMain nor main
  kEntryAnsweredNull,  // the entry refused to create an effect
  kWrongMagic,         // the record is not a VST 2.4 effect record
};

struct LoadResult;

class Plugin {
 public:
  // Loads the module, calls its entry with `host`'s callback and checks the record. `host` must
  // outlive the plug-in.
  static LoadResult Load(const std::string& path, Host& host);

  ~Plugin();  // closes the effect (if still open) before the module is released
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  AEffect* Effect() const { return effect_; }
  const std::string& Path() const { return path_; }
  VstIntPtr Dispatch(int32_t opcode, int32_t index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const;

  void Open() const;
  void Close();  // effClose; the record is gone afterwards
  void SetSampleRate(double rate) const;
  void SetBlockSize(int32_t frames) const;
  void SetMains(bool on) const;
  void SetProcessPrecision(bool doublePrecision) const;
  void StartProcess() const;
  void StopProcess() const;

  int32_t NumParams() const { return effect_->numParams; }
  int32_t NumPrograms() const { return effect_->numPrograms; }
  int32_t NumInputs() const { return effect_->numInputs; }
  int32_t NumOutputs() const { return effect_->numOutputs; }
  bool HasFlag(int32_t flag) const { return (effect_->flags & flag) != 0; }

  std::string ParamName(int32_t index) const;
  std::string ParamLabel(int32_t index) const;
  std::string ParamDisplay(int32_t index) const;
  float GetParam(int32_t index) const;
  void SetParam(int32_t index, float normalized) const;
  bool String2Parameter(int32_t index, const std::string& text) const;

  int32_t Program() const;
  void SetProgram(int32_t index) const;  // bracketed by begin/end-set-program, as hosts do
  std::string ProgramName() const;
  void SetProgramName(const std::string& name) const;
  std::string ProgramNameIndexed(int32_t index) const;  // empty when the plug-in answers nothing

  // Chunks: the bank (all programs) or the current program. Empty when the plug-in has none.
  std::vector<uint8_t> GetChunk(bool program) const;
  bool SetChunk(bool program, const std::vector<uint8_t>& data) const;

  std::string EffectName() const;
  std::string VendorString() const;
  std::string ProductString() const;
  int32_t VendorVersion() const;
  VstIntPtr CanDo(const char* feature) const;
  int32_t Category() const;

 private:
  Plugin(void* library, AEffect* effect, std::string path);
  std::string Text(int32_t opcode, int32_t index = 0) const;

  void* library_;
  AEffect* effect_;
  std::string path_;
  bool open_ = true;
};

struct LoadResult {
  std::unique_ptr<Plugin> plugin;
  LoadError error = LoadError::kNone;
  std::string message;  // one line naming the module and what is wrong with it
};

}  // namespace ferrix::host
