// VstEffect dispatcher: the frame every host request runs in (lock, null object, the idle
// opcodes) and the answer to each opcode the effect handles; all others answer 0.
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "plugin_core/EffectEditor.h"
#include "support/TracePoint.h"
#include "vst/VstEffect.h"

namespace {

// Reads a decimal number whatever C locale the host process has set (hosts may switch
// LC_NUMERIC to a decimal comma); answers false when the text does not start with one.
bool ReadNumber(const char* text, double* value) {
  while (std::isspace(static_cast<unsigned char>(*text)))
    ++text;
  if (*text == '+') ++text;
  const auto [end, error] = std::from_chars(text, text + std::strlen(text), *value);
  return error == std::errc() && end != text;
}

constexpr VstIntPtr kIdentity = 0x4E764566;  // "NvEf"
constexpr VstIntPtr kVendorAnswer = 0xBEEF;
constexpr VstIntPtr kVendorCanDoAnswer = 0xBEEF0000;
constexpr int32_t kVendorDisplayText = 7;
constexpr int32_t kVendorIsSteppedParam = 8;
constexpr int32_t kExtensionsAsked = 1 << 0;
constexpr int32_t kViewAsConfigAsked = 1 << 1;

// Hosts size their buffers for the VST 2.4 text lengths plus the terminator; longer texts (a
// program name from a bank chunk holds up to 255 characters) are cut, the stored text stays whole.
constexpr size_t kProgramNameBytes = kVstMaxProgNameLen + 1;
constexpr size_t kParamTextBytes = kVstMaxParamStrLen + 1;

// At most size - 1 bytes and the terminator. A cut inside a UTF-8 character would hand the host
// an invalid sequence, so a cut text ends before that character.
void CopyText(void* ptr, const char* text, size_t size) {
  size_t length = strnlen(text, size - 1);
  if (text[length] != '\0') {
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
      --length;
  }
  std::memcpy(ptr, text, length);
  static_cast<char*>(ptr)[length] = '\0';
}

}  // namespace

VstIntPtr VstEffect::Dispatcher(AEffect* record, int32_t opcode, int32_t index, VstIntPtr value,
                                void* ptr, float opt) {
  VstEffect* self = FromRecord(record);
  if (!self) return 0;
  if (opcode == effEditIdle) {
    // Without the lock: the editor's drawing reads whole values, and what it sends the plug-in
    // (SetParamFromEditor) takes the lock itself.
    if (EffectEditor* editor = self->Editor()) editor->Idle();
    return 0;
  }
  if (opcode == effIdle) return 0;
  // An exception must never reach the host; the lock is released on the way out.
  try {
    return self->Dispatch(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

VstIntPtr VstEffect::Dispatch(int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                              float opt) {
  std::unique_lock guard(Lock());
  TracePoint("VstEffect::VSTDispatcher", __LINE__, "%d %d", opcode, index);
  switch (opcode) {
    case effOpen:
      HostSetup();
      AnnounceAllParams();
      return 0;
    case effClose:
      guard.unlock();
      // Hosts closing a project may skip effEditClose: the editor's thread must be gone before
      // any part of the effect it calls into is destroyed.
      if (Editor()) Editor()->CloseWindow();
      delete this;
      return 0;
    case effSetProgram:
      // Without state chunks the edits stay with the preset the host switches away from.
      ModifyCurrentPreset();
      LoadPreset(static_cast<int>(value));
      return 0;
    case effGetProgram:
      return CurrentPresetIndex();
    case effSetProgramName:
      if (ptr) {
        ModifyCurrentPreset(static_cast<const char*>(ptr));
        PresetsChanged();
      }
      return 0;
    case effGetProgramName:
      if (ptr) CopyText(ptr, GetPresetName(CurrentPresetIndex()), kProgramNameBytes);
      return 0;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
      return CopyParamText(opcode, index, static_cast<char*>(ptr));
    case effSetSampleRate:
      // A rate that is not a positive finite number would poison every time constant.
      if (std::isfinite(opt) && opt > 0.0f) {
        SetSampleRate(opt);
        ResetState();
      }
      return 0;
    case effSetBlockSize:
      if (value >= 1 && value <= INT32_MAX) {
        ChangeBlockSize(static_cast<int>(value));
        ResetState();
      }
      return 0;
    case effMainsChanged:
      ActivationChanged(value != 0);
      if (value == 0) ResetState();
      return 0;
    case effEditGetRect:
      if (!ptr || !Editor()) return 0;
      *static_cast<ERect**>(ptr) = &editRect_;
      return 1;
    // Opening and closing may wait for the editor's own thread (or a window's thread), which
    // may be waiting for this lock to deliver the user's edit: they run without it.
    case effEditOpen: {
      if (!Editor()) return 0;
      guard.unlock();
      const bool opened = Editor()->OpenWindow(ptr);
      guard.lock();
      if (!opened) return 0;
      EditorOpened();
      return 1;
    }
    case effEditClose:
      if (!Editor()) return 0;
      EditorClosed();
      guard.unlock();
      Editor()->CloseWindow();
      return 1;
    case effIdentify:
      return kIdentity;
    case effGetChunk:
      return GetChunk(index == 0, static_cast<void**>(ptr));
    case effSetChunk:
      return SetChunk(index == 0, ptr, value);
    case effProcessEvents:
      return ProcessEvents(static_cast<const VstEvents*>(ptr));
    case effCanBeAutomated:
      return 1;
    case effString2Parameter:
      return String2Parameter(index, static_cast<const char*>(ptr));
    case effGetProgramNameIndexed:
      if (!ptr) return 0;
      CopyText(ptr, GetPresetName(index), kProgramNameBytes);
      return static_cast<char*>(ptr)[0] != '\0' ? 1 : 0;
    case effGetInputProperties:
    case effGetOutputProperties:
      return PinProperties(opcode == effGetInputProperties, index,
                           static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory:
      return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effProcessVarIo:
      return 0;
    case effSetSpeakerArrangement:
      SetSpeakerArrangement(reinterpret_cast<const VstSpeakerArrangement*>(value),
                            static_cast<const VstSpeakerArrangement*>(ptr));
      return 1;
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
      if (!ptr) return 0;
      if (opcode == effGetEffectName)
        CopyText(ptr, EffectName(), kVstMaxEffectNameLen);
      else if (opcode == effGetVendorString)
        CopyText(ptr, VendorName(), kVstMaxVendorStrLen);
      else
        CopyText(ptr, ProductName(), kVstMaxProductStrLen);
      return 1;
    case effVendorSpecific:
      return VendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return CanDo(static_cast<const char*>(ptr));
    case effGetVstVersion:
      return kVstVersion;
    case effGetMidiKeyName: {
      if (!ptr) return 0;
      auto* key = static_cast<MidiKeyName*>(ptr);
      key->keyName[0] = '\0';
      return NoteName(key->thisKeyNumber, key->keyName) ? 1 : 0;
    }
    case effGetSpeakerArrangement:
      // Like every request that writes into ptr, none without it.
      if (!ptr) return 0;
      if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &inputArrangement_;
      *static_cast<VstSpeakerArrangement**>(ptr) = &outputArrangement_;
      return 1;
    default:
      return 0;
  }
}

VstIntPtr VstEffect::CopyParamText(int32_t opcode, int32_t index, char* text) {
  const PlugParam* param = GetParam(index);
  if (!param || !text) return 0;
  // Names keep their 31 characters: established hosts read that much.
  if (opcode == effGetParamDisplay) {
    param->FormatCurrent(text, kParamTextBytes);
  } else if (opcode == effGetParamLabel) {
    CopyText(text, param->LabelText(), kParamTextBytes);
  } else {
    CopyText(text, param->Name(), PlugParam::kNameSize);
  }
  return 0;
}

VstIntPtr VstEffect::GetChunk(bool bank, void** data) {
  if (!data) return 0;
  StateChunk* chunk = bank ? &bankChunk_ : &programChunk_;
  if (!BuildStateChunk(chunk, bank) || chunk->Size() == 0) return 0;
  *data = const_cast<unsigned char*>(chunk->Data());
  return chunk->Size();
}

VstIntPtr VstEffect::SetChunk(bool bank, const void* data, VstIntPtr size) {
  if (!data || size < 0 || size > INT32_MAX) return 0;
  StateChunk* chunk = bank ? &bankChunk_ : &programChunk_;
  chunk->Clear();
  const int bytes = static_cast<int>(size);
  // A chunk that cannot hold the data would be read as something else.
  if (bytes > 0 && !chunk->PutBytes(data, bytes)) return 0;
  return ApplyStateChunk(chunk, bank) >= 0 ? 1 : 0;
}

VstIntPtr VstEffect::ProcessEvents(const VstEvents* events) {
  if (!events) return 0;
  for (int32_t i = 0; i < events->numEvents; ++i) {
    VstEvent* event = events->events[i];
    if (!event) continue;
    if (event->type == kVstMidiType) {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      MidiMessage message;
      message.offset = midi->deltaFrames;
      message.status = static_cast<uint8_t>(midi->midiData[0]);
      message.data1 = static_cast<uint8_t>(midi->midiData[1]);
      message.data2 = static_cast<uint8_t>(midi->midiData[2]);
      MidiReceived(&message);
    } else {
      SendEvent(event);
    }
  }
  return 1;
}

VstIntPtr VstEffect::String2Parameter(int32_t index, const char* text) {
  PlugParam* param = GetParam(index);
  if (!param) return 0;
  if (!text) return 1;
  double value;
  if (param->NValueTexts() > 0) {
    const ValueText* entry = param->ValueForText(text);
    if (!entry) return 0;
    value = entry->value;
  } else {
    // "nan" and "inf" read as numbers, but are none a parameter can take.
    if (!ReadNumber(text, &value) || !std::isfinite(value)) return 0;
    if (param->NegateDisplay()) value = -value;
  }
  if (Editor()) Editor()->SetParamFromPlugin(index, value, false);
  param->SetValue(value);
  ParamChanged(index);
  return 1;
}

VstIntPtr VstEffect::PinProperties(bool input, int32_t index, VstPinProperties* properties) {
  const int count = input ? NInputs() : NOutputs();
  if (!properties || index < 0 || index >= count) return 0;
  // Channels pair up as stereo pins: (0, 1), (2, 3) and so on.
  properties->flags = kVstPinIsActive;
  if (index % 2 == 0 && index != count - 1) properties->flags |= kVstPinIsStereo;
  const char* label = input ? GetInput(index)->label.Get() : GetOutput(index)->label.Get();
  if (label[0] != '\0') {
    CopyText(properties->label, label, sizeof properties->label);
  } else {
    std::snprintf(properties->label, sizeof properties->label, input ? "Input %d" : "Output %d",
                  index + 1);
  }
  return 1;
}

void VstEffect::SetSpeakerArrangement(const VstSpeakerArrangement* inputs,
                                      const VstSpeakerArrangement* outputs) {
  if (inputs) {
    for (int i = 0; i < NInputs(); ++i)
      SetInputConnected(i, i < inputs->numChannels);
  }
  if (outputs) {
    for (int i = 0; i < NOutputs(); ++i)
      SetOutputConnected(i, i < outputs->numChannels);
  }
}

VstIntPtr VstEffect::VendorSpecific(int32_t index, VstIntPtr value, void* ptr, float opt) {
  const PlugParam* param =
      value >= 0 && value <= INT32_MAX ? GetParam(static_cast<int>(value)) : nullptr;
  if (index == kVendorDisplayText) {
    if (!ptr) return 0;
    if (param) param->FormatValue(opt, true, true, static_cast<char*>(ptr), kParamTextBytes);
    return kVendorAnswer;
  }
  if (index == kVendorIsSteppedParam) {
    return param && param->Kind() != ParamKind::Double ? kVendorAnswer : 0;
  }
  return 0;
}

VstIntPtr VstEffect::CanDo(const char* feature) {
  if (!feature) return 0;
  TracePoint("VstEffect::VSTCanDo", __LINE__, "VSTCanDo(%s)", feature);
  auto is = [feature](const char* text) { return std::strcmp(feature, text) == 0; };
  if (is("receiveVstTimeInfo")) return 1;
  if (takesMidi_ && (is("sendVstEvents") || is("sendVstMidiEvent") || is("receiveVstEvents") ||
                     is("receiveVstMidiEvent"))) {
    return 1;
  }
  if (is("hasVextaneExtensions")) {
    vendorExtensions_ |= kExtensionsAsked;
    return kVendorCanDoAnswer;
  }
  if (is("hasVextaneViewAsConfig")) {
    vendorExtensions_ |= kViewAsConfigAsked;
    return kVendorCanDoAnswer;
  }
  return 0;
}
