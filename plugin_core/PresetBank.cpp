// EffectBase preset bank: filling, adding, loading and updating the program slots.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "plugin_core/EffectBase.h"
#include "support/TracePoint.h"

namespace {

constexpr const char* kUserPresetName = "user preset";

}  // namespace

const char* EffectBase::GetPresetName(int index) const {
  const PresetSlot* slot = presets_.Get(index);
  return slot ? slot->name : "";
}

PresetSlot* EffectBase::FirstUninitialisedPreset() const {
  for (int i = 0; i < presets_.Count(); ++i) {
    if (!presets_.Get(i)->initialised) return presets_.Get(i);
  }
  return nullptr;
}

void EffectBase::FillEmptyPresets(const char* name, int count) {
  for (int n = 0; n < count; ++n) {
    PresetSlot* slot = FirstUninitialisedPreset();
    if (!slot) return;
    slot->initialised = true;
    slot->SetName(name ? name : "Empty");
    WriteState(&slot->values);
  }
}

void EffectBase::AddPreset(const char* name, ...) {
  PresetSlot* slot = FirstUninitialisedPreset();
  if (!slot) return;
  slot->initialised = true;
  slot->SetName(name);
  va_list values;
  va_start(values, name);
  for (int i = 0; i < NParams(); ++i) {
    const ParamKind kind = GetParam(i)->Kind();
    const bool passedAsInt =
        kind == ParamKind::Bool || kind == ParamKind::Int || kind == ParamKind::Enum;
    slot->values.PutDouble(passedAsInt ? static_cast<double>(va_arg(values, int))
                                       : va_arg(values, double));
  }
  va_end(values);
}

bool EffectBase::LoadPreset(int index) {
  PresetSlot* slot = presets_.Get(index);
  if (!slot) return false;
  bool loaded;
  if (slot->initialised) {
    loaded = ReadState(&slot->values, 0) > 0;
  } else {
    int userPresets = 0;
    for (int i = 0; i < presets_.Count(); ++i) {
      if (std::strstr(presets_.Get(i)->name, kUserPresetName)) ++userPresets;
    }
    slot->initialised = true;
    std::snprintf(slot->name, sizeof slot->name, "%s %d", kUserPresetName, userPresets + 1);
    slot->values.Clear();
    loaded = WriteState(&slot->values);
  }
  if (loaded) {
    currentPreset_ = index;
    PresetsChanged();
    RefreshParamControls();
  }
  return loaded;
}

void EffectBase::ModifyCurrentPreset(const char* name) {
  PresetSlot* slot = presets_.Get(currentPreset_);
  if (!slot) return;
  slot->values.Clear();
  WriteState(&slot->values);
  if (name && name[0] != '\0') slot->SetName(name);
  TracePoint("EffectBase::ModifyCurrentPreset", __LINE__, "%d %s", currentPreset_, slot->name);
}
