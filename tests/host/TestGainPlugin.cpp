// A tiny VST 2.4 gain plug-in for the host tests, built three times: keeping its state as chunks
// (TEST_GAIN_CHUNKS 1) or as parameter lists (0), and the latter with an editor (TEST_GAIN_EDITOR
// 1) that draws nothing, answers effEditOpen with 0 as many plug-ins do, and tells stderr of
// every editor request. Parameters: "Gain" (normalised g gives the
// linear gain 2g), "Polarity" (normal / inverted) and "Crash" (yes: the next block crashes on
// purpose). Four programs: "Unity", "Half", "Double", "Inverted".
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "tests/host/TestPluginExport.h"
#include "vst/VstAbi.h"

namespace {

constexpr int kParams = 3;
constexpr int kPrograms = 4;
constexpr int kGain = 0, kPolarity = 1, kCrash = 2;

struct Program {
  char name[kVstMaxProgNameLen + 1];
  float values[kParams];
};

struct GainPlugin {
  AEffect effect{};
  Program programs[kPrograms] = {{"Unity", {0.5f, 0.0f, 0.0f}},
                                 {"Half", {0.25f, 0.0f, 0.0f}},
                                 {"Double", {1.0f, 0.0f, 0.0f}},
                                 {"Inverted", {0.5f, 1.0f, 0.0f}}};
  int current = 0;
  Program chunk[kPrograms];  // what effGetChunk hands out

  float* Values() { return programs[current].values; }
  double Factor() {
    const double gain = 2.0 * Values()[kGain];
    return Values()[kPolarity] >= 0.5f ? -gain : gain;
  }
  void MaybeCrash() {
    if (Values()[kCrash] >= 0.5f) {
      // A call through a null pointer: a real fault, which no sanitizer reports first.
      void (*volatile nowhere)() = nullptr;
      nowhere();
    }
  }
};

GainPlugin* Self(AEffect* e) {
  return static_cast<GainPlugin*>(e->object);
}

void Copy(void* ptr, const char* text, size_t size) {
  std::snprintf(static_cast<char*>(ptr), size, "%s", text);
}

bool TextToValue(int index, const char* text, float& value) {
  if (index == kGain) {
    char* end = nullptr;
    const double gain = std::strtod(text, &end);
    if (end == text || *end != '\0') return false;
    value = static_cast<float>(std::clamp(gain / 2.0, 0.0, 1.0));
    return true;
  }
  const char* on = index == kPolarity ? "inverted" : "yes";
  const char* off = index == kPolarity ? "normal" : "no";
  if (std::strcmp(text, on) != 0 && std::strcmp(text, off) != 0) return false;
  value = std::strcmp(text, on) == 0 ? 1.0f : 0.0f;
  return true;
}

VstIntPtr Dispatcher(AEffect* e, int32_t opcode, int32_t index, VstIntPtr value, void* ptr, float) {
  GainPlugin* self = Self(e);
  const bool validParam = index >= 0 && index < kParams;
  switch (opcode) {
    case effClose:
      delete self;
      return 0;
    case effSetProgram:
      if (value >= 0 && value < kPrograms) self->current = static_cast<int>(value);
      return 0;
    case effGetProgram:
      return self->current;
    case effSetProgramName:
      Copy(self->programs[self->current].name, static_cast<const char*>(ptr),
           sizeof(Program::name));
      return 0;
    case effGetProgramName:
      Copy(ptr, self->programs[self->current].name, kVstMaxProgNameLen + 1);
      return 0;
    case effGetProgramNameIndexed:
      if (index < 0 || index >= kPrograms) return 0;
      Copy(ptr, self->programs[index].name, kVstMaxProgNameLen + 1);
      return 1;
    case effGetParamName:
      if (validParam)
        Copy(ptr, index == kGain ? "Gain" : index == kPolarity ? "Polarity" : "Crash", 9);
      return 0;
    case effGetParamLabel:
      if (validParam) Copy(ptr, index == kGain ? "x" : "", 9);
      return 0;
    case effGetParamDisplay:
      if (!validParam) return 0;
      if (index == kGain) {
        std::snprintf(static_cast<char*>(ptr), 9, "%.3f", 2.0 * self->Values()[kGain]);
      } else {
        const bool on = self->Values()[index] >= 0.5f;
        Copy(ptr, index == kPolarity ? (on ? "inverted" : "normal") : (on ? "yes" : "no"), 9);
      }
      return 0;
    case effString2Parameter:
      return validParam && ptr != nullptr &&
             TextToValue(index, static_cast<const char*>(ptr), self->Values()[index]);
    case effGetEffectName:
      Copy(ptr, TEST_GAIN_CHUNKS ? "Test Gain Chunks" : "Test Gain Params", kVstMaxEffectNameLen);
      return 1;
    case effGetVendorString:
      Copy(ptr, "Ferrix tests", kVstMaxVendorStrLen);
      return 1;
    case effGetVstVersion:
      return kVstVersion;
    case effGetChunk: {
      if (ptr == nullptr || !TEST_GAIN_CHUNKS) return 0;
      const bool program = index != 0;
      if (program) {
        self->chunk[0] = self->programs[self->current];
      } else {
        std::copy(self->programs, self->programs + kPrograms, self->chunk);
      }
      *static_cast<void**>(ptr) = self->chunk;
      return static_cast<VstIntPtr>(sizeof(Program) * (program ? 1 : kPrograms));
    }
    case effSetChunk: {
      const bool program = index != 0;
      const auto expected = static_cast<VstIntPtr>(sizeof(Program) * (program ? 1 : kPrograms));
      if (ptr == nullptr || !TEST_GAIN_CHUNKS || value != expected) return 0;
      std::memcpy(program ? &self->programs[self->current] : self->programs, ptr,
                  static_cast<size_t>(value));
      return 1;
    }
    case effEditGetRect: {
      static ERect rect{0, 0, 100, 200};
      if (!TEST_GAIN_EDITOR || ptr == nullptr) return 0;
      *static_cast<ERect**>(ptr) = &rect;
      return 1;
    }
    case effEditOpen:
    case effEditClose:
      if (TEST_GAIN_EDITOR) std::fputs(opcode == effEditOpen ? "open\n" : "close\n", stderr);
      return 0;
    default:
      return 0;
  }
}

template <typename T>
void Run(AEffect* e, T** inputs, T** outputs, int32_t frames, bool accumulate) {
  GainPlugin* self = Self(e);
  self->MaybeCrash();
  const double factor = self->Factor();
  for (int c = 0; c < 2; ++c) {
    for (int32_t i = 0; i < frames; ++i) {
      const T v = static_cast<T>(inputs[c][i] * factor);
      outputs[c][i] = accumulate ? outputs[c][i] + v : v;
    }
  }
}

void Process(AEffect* e, float** in, float** out, int32_t frames) {
  Run(e, in, out, frames, true);
}
void ProcessReplacing(AEffect* e, float** in, float** out, int32_t frames) {
  Run(e, in, out, frames, false);
}
void ProcessDouble(AEffect* e, double** in, double** out, int32_t frames) {
  Run(e, in, out, frames, false);
}
void SetParameter(AEffect* e, int32_t index, float value) {
  if (index >= 0 && index < kParams) Self(e)->Values()[index] = value;
}
float GetParameter(AEffect* e, int32_t index) {
  return index >= 0 && index < kParams ? Self(e)->Values()[index] : 0.0f;
}

}  // namespace

TEST_PLUGIN_EXPORT AEffect* VSTPluginMain(audioMasterCallback) {
  auto* self = new (std::nothrow) GainPlugin;
  if (self == nullptr) return nullptr;
  AEffect& e = self->effect;
  e.magic = kEffectMagic;
  e.dispatcher = &Dispatcher;
  e.process = &Process;
  e.setParameter = &SetParameter;
  e.getParameter = &GetParameter;
  e.numPrograms = kPrograms;
  e.numParams = kParams;
  e.numInputs = 2;
  e.numOutputs = 2;
  e.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing |
            (TEST_GAIN_CHUNKS ? effFlagsProgramChunks : 0) |
            (TEST_GAIN_EDITOR ? effFlagsHasEditor : 0);
  e.ioRatio = 1.0f;
  e.object = self;
  e.uniqueID = TEST_GAIN_CHUNKS ? 0x46785463 : 0x46785470;  // "FxTc", "FxTp"
  e.version = 1;
  e.processReplacing = &ProcessReplacing;
  e.processDoubleReplacing = &ProcessDouble;
  return &e;
}
