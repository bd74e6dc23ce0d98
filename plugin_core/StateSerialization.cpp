// EffectBase state chunks: parameter values, the chunk header, the preset bank, and the host's
// get-chunk and set-chunk flows. Every read stops at -1 when the data runs out.
#include <cstdint>

#include "plugin_core/EffectBase.h"
#include "support/TextBuffer.h"
#include "support/TracePoint.h"

bool EffectBase::SerializeParams(StateChunk* chunk) {
  LockGuard guard(lock_);
  for (int i = 0; i < NParams(); ++i) {
    const PlugParam* param = GetParam(i);
    chunk->PutDouble(param->Value());
    TracePoint("EffectBase::SerializeParams", __LINE__, "%d %s %f", i, param->Name(),
               param->Value());
  }
  return chunk->Size() > 0;
}

int EffectBase::UnserializeParams(const StateChunk* chunk, int position) {
  LockGuard guard(lock_);
  for (int i = 0; i < NParams() && position >= 0; ++i) {
    PlugParam* param = GetParam(i);
    double value = 0.0;
    position = chunk->GetDouble(&value, position);
    // A value that is not there leaves the parameter as it is.
    if (position >= 0) param->SetValue(value);
    TracePoint("EffectBase::UnserializeParams", __LINE__, "%d %s %f", i, param->Name(),
               param->Value());
  }
  for (int i = 0; i < NParams(); ++i)
    ParamChanged(i);
  return position;
}

void EffectBase::StartChunk(StateChunk* chunk) {
  chunk->Clear();
  chunk->PutInt32(kChunkMagic);
  chunk->PutInt32(kChunkVersion);
}

int32_t EffectBase::ReadChunkHeader(const StateChunk* chunk, int* position) {
  int32_t magic = 0;
  const int afterMagic = chunk->GetInt32(&magic, *position);
  if (afterMagic < 0 || magic != kChunkMagic) return 0;
  int32_t version = 0;
  *position = chunk->GetInt32(&version, afterMagic);
  return *position < 0 ? 0 : version;
}

bool EffectBase::SerializePresets(StateChunk* chunk) {
  bool written = true;
  for (int i = 0; i < NPresets(); ++i) {
    const PresetSlot* slot = presets_.Get(i);
    chunk->PutString(slot->name);
    chunk->PutBool(slot->initialised);
    if (slot->initialised) chunk->Append(slot->values);
    written = written && chunk->Size() > 0;
    TracePoint("EffectBase::SerializePresets", __LINE__, "%d %s", i, slot->name);
  }
  return written;
}

int EffectBase::UnserializePresets(const StateChunk* chunk, int position) {
  // A slot whose stored name is empty takes the name of the slot before it.
  TextBuffer name;
  for (int i = 0; i < NPresets() && position >= 0; ++i) {
    PresetSlot* slot = presets_.Get(i);
    int32_t length = 0;
    position = chunk->GetInt32(&length, position);
    if (position >= 0) {
      // A negative length, or one reaching past the end, ends the read.
      const int64_t end = static_cast<int64_t>(position) + length;
      if (length < 0 || end > chunk->Size()) {
        position = -1;
      } else {
        if (length > 0) name.Set(reinterpret_cast<const char*>(chunk->Data() + position), length);
        position = static_cast<int>(end);
      }
    }
    slot->SetName(name.Get());

    bool initialised = false;
    position = chunk->GetBool(&initialised, position);
    if (position >= 0) slot->initialised = initialised;

    if (slot->initialised) {
      position = ReadState(chunk, position);
      // The stored preset keeps the values as clamped by the parameters.
      if (position > 0) {
        slot->values.Clear();
        WriteState(&slot->values);
      }
    }
    TracePoint("EffectBase::UnserializePresets", __LINE__, "%d %s", i, slot->name);
  }
  LoadPreset(currentPreset_);
  return position;
}

bool EffectBase::BuildStateChunk(StateChunk* chunk, bool bank) {
  StartChunk(chunk);
  if (!bank) return WriteState(chunk);
  ModifyCurrentPreset();
  return SerializePresets(chunk);
}

int EffectBase::ApplyStateChunk(const StateChunk* chunk, bool bank) {
  int position = 0;
  const int32_t version = ReadChunkHeader(chunk, &position);
  if (bank && version >= kChunkVersion) {
    position = UnserializePresets(chunk, position);
  } else {
    // Program chunks, older banks and headerless chunks hold the values of one program.
    position = ReadState(chunk, position);
    ModifyCurrentPreset();
  }
  if (position >= 0) RefreshParamControls();
  return position;
}
