// The VST 2.4 binary interface, declared by us from its public ABI facts: the effect record,
// the opcodes both sides use, and the records passed through them. 64-bit layout only.
//
// Threads: the host calls `dispatcher` from its user-interface thread (or any thread), the three
// processing callbacks from its audio thread, setParameter/getParameter from any thread. The
// plug-in serialises them with its own lock; none of them may throw.
#pragma once

#include <cstddef>
#include <cstdint>

struct AEffect;

using VstIntPtr = intptr_t;

// Host side: the plug-in calls it for every request (see the audioMaster opcodes below).
using audioMasterCallback = VstIntPtr (*)(AEffect* effect, int32_t opcode, int32_t index,
                                          VstIntPtr value, void* ptr, float opt);
// Plug-in side: any thread; the plug-in takes its lock.
using AEffectDispatcherProc = VstIntPtr (*)(AEffect* effect, int32_t opcode, int32_t index,
                                            VstIntPtr value, void* ptr, float opt);
// Audio thread; frames never exceed the block size last set.
using AEffectProcessProc = void (*)(AEffect* effect, float** inputs, float** outputs,
                                    int32_t frames);
using AEffectProcessDoubleProc = void (*)(AEffect* effect, double** inputs, double** outputs,
                                          int32_t frames);
// Any thread; values are normalised 0..1.
using AEffectSetParameterProc = void (*)(AEffect* effect, int32_t index, float value);
using AEffectGetParameterProc = float (*)(AEffect* effect, int32_t index);

// The module entry: answers the effect record, or null.
using VstPluginMainProc = AEffect* (*)(audioMasterCallback host);

constexpr int32_t kEffectMagic = 0x56737450;  // "VstP"
constexpr int32_t kVstVersion = 2400;

// The record the entry hands to the host. Filled by the plug-in, read by the host.
struct AEffect {
  int32_t magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;  // accumulating (deprecated in 2.4, still called by old hosts)
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  int32_t numPrograms;
  int32_t numParams;
  int32_t numInputs;
  int32_t numOutputs;
  int32_t flags;
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  int32_t initialDelay;
  int32_t realQualities;
  int32_t offQualities;
  float ioRatio;
  void* object;  // the plug-in's own object
  void* user;    // free for the host
  int32_t uniqueID;
  int32_t version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};
static_assert(sizeof(void*) == 8, "the VST 2.4 declarations here are for 64-bit targets");
static_assert(sizeof(AEffect) == 192);
static_assert(offsetof(AEffect, flags) == 56);
static_assert(offsetof(AEffect, object) == 96);
static_assert(offsetof(AEffect, uniqueID) == 112);
static_assert(offsetof(AEffect, processReplacing) == 120);
static_assert(offsetof(AEffect, processDoubleReplacing) == 128);

// AEffect::flags
constexpr int32_t effFlagsHasEditor = 1 << 0;
constexpr int32_t effFlagsMonoDeprecated = 1 << 3;
constexpr int32_t effFlagsCanReplacing = 1 << 4;
constexpr int32_t effFlagsProgramChunks = 1 << 5;
constexpr int32_t effFlagsIsSynth = 1 << 8;
constexpr int32_t effFlagsNoSoundInStop = 1 << 9;
constexpr int32_t effFlagsCanDoubleReplacing = 1 << 12;

// Dispatcher opcodes (host -> plug-in).
enum : int32_t {
  effOpen = 0,
  effClose = 1,
  effSetProgram = 2,
  effGetProgram = 3,
  effSetProgramName = 4,
  effGetProgramName = 5,
  effGetParamLabel = 6,
  effGetParamDisplay = 7,
  effGetParamName = 8,
  effSetSampleRate = 10,
  effSetBlockSize = 11,
  effMainsChanged = 12,
  effEditGetRect = 13,
  effEditOpen = 14,
  effEditClose = 15,
  effEditIdle = 19,
  effIdentify = 22,
  effGetChunk = 23,
  effSetChunk = 24,
  effProcessEvents = 25,
  effCanBeAutomated = 26,
  effString2Parameter = 27,
  effGetProgramNameIndexed = 29,
  effGetInputProperties = 33,
  effGetOutputProperties = 34,
  effGetPlugCategory = 35,
  effProcessVarIo = 41,
  effSetSpeakerArrangement = 42,
  effSetBypass = 44,
  effGetEffectName = 45,
  effGetVendorString = 47,
  effGetProductString = 48,
  effGetVendorVersion = 49,
  effVendorSpecific = 50,
  effCanDo = 51,
  effGetTailSize = 52,
  effIdle = 53,
  effGetParameterProperties = 56,
  effGetVstVersion = 58,
  effGetMidiKeyName = 66,
  effBeginSetProgram = 67,
  effEndSetProgram = 68,
  effGetSpeakerArrangement = 69,
  effStartProcess = 71,
  effStopProcess = 72,
  effSetProcessPrecision = 77,
};

// Host callback opcodes (plug-in -> host).
enum : int32_t {
  audioMasterAutomate = 0,
  audioMasterVersion = 1,
  audioMasterCurrentId = 2,
  audioMasterIdle = 3,
  audioMasterGetTime = 7,
  audioMasterProcessEvents = 8,
  audioMasterIOChanged = 13,
  audioMasterSizeWindow = 15,
  audioMasterGetSampleRate = 16,
  audioMasterGetBlockSize = 17,
  audioMasterGetInputLatency = 18,
  audioMasterGetOutputLatency = 19,
  audioMasterGetCurrentProcessLevel = 23,
  audioMasterGetAutomationState = 24,
  audioMasterGetVendorString = 32,
  audioMasterGetProductString = 33,
  audioMasterGetVendorVersion = 34,
  audioMasterVendorSpecific = 35,
  audioMasterCanDo = 37,
  audioMasterGetLanguage = 38,
  audioMasterGetDirectory = 41,
  audioMasterUpdateDisplay = 42,
  audioMasterBeginEdit = 43,
  audioMasterEndEdit = 44,
};

// effGetPlugCategory answers.
constexpr int32_t kPlugCategEffect = 1;
constexpr int32_t kPlugCategSynth = 2;

// audioMasterGetCurrentProcessLevel answers.
constexpr int32_t kVstProcessLevelUser = 1;
constexpr int32_t kVstProcessLevelRealtime = 2;
constexpr int32_t kVstProcessLevelOffline = 4;

// audioMasterGetAutomationState answers.
constexpr int32_t kVstAutomationOff = 1;

// audioMasterGetLanguage answers.
constexpr int32_t kVstLangEnglish = 1;

// effSetProcessPrecision values.
constexpr int32_t kVstProcessPrecision32 = 0;
constexpr int32_t kVstProcessPrecision64 = 1;

// The editor's rectangle (effEditGetRect).
struct ERect {
  int16_t top;
  int16_t left;
  int16_t bottom;
  int16_t right;
};
static_assert(sizeof(ERect) == 8);

// Events (effProcessEvents, audioMasterProcessEvents).
constexpr int32_t kVstMidiType = 1;
constexpr int32_t kVstSysExType = 6;

struct VstEvent {
  int32_t type;
  int32_t byteSize;  // of the whole event, after deltaFrames
  int32_t deltaFrames;
  int32_t flags;
  char data[16];
};
static_assert(sizeof(VstEvent) == 32);

struct VstMidiEvent {
  int32_t type;  // kVstMidiType
  int32_t byteSize;
  int32_t deltaFrames;
  int32_t flags;
  int32_t noteLength;
  int32_t noteOffset;
  char midiData[4];
  char detune;
  char noteOffVelocity;
  char reserved1;
  char reserved2;
};
static_assert(sizeof(VstMidiEvent) == 32);

struct VstEvents {
  int32_t numEvents;
  VstIntPtr reserved;
  VstEvent* events[2];  // numEvents entries in fact
};
static_assert(offsetof(VstEvents, events) == 16);

// audioMasterGetTime: the host's transport record.
struct VstTimeInfo {
  double samplePos;
  double sampleRate;
  double nanoSeconds;
  double ppqPos;
  double tempo;
  double barStartPos;
  double cycleStartPos;
  double cycleEndPos;
  int32_t timeSigNumerator;
  int32_t timeSigDenominator;
  int32_t smpteOffset;
  int32_t smpteFrameRate;
  int32_t samplesToNextClock;
  int32_t flags;
};
static_assert(sizeof(VstTimeInfo) == 88);

// VstTimeInfo::flags; the ...Valid bits double as the request mask.
constexpr int32_t kVstTransportChanged = 1 << 0;
constexpr int32_t kVstTransportPlaying = 1 << 1;
constexpr int32_t kVstTransportCycleActive = 1 << 2;
constexpr int32_t kVstTransportRecording = 1 << 3;
constexpr int32_t kVstAutomationWriting = 1 << 6;
constexpr int32_t kVstAutomationReading = 1 << 7;
constexpr int32_t kVstNanosValid = 1 << 8;
constexpr int32_t kVstPpqPosValid = 1 << 9;
constexpr int32_t kVstTempoValid = 1 << 10;
constexpr int32_t kVstBarsValid = 1 << 11;
constexpr int32_t kVstCyclePosValid = 1 << 12;
constexpr int32_t kVstTimeSigValid = 1 << 13;
constexpr int32_t kVstSmpteValid = 1 << 14;
constexpr int32_t kVstClockValid = 1 << 15;

// effGetInputProperties / effGetOutputProperties.
constexpr int32_t kVstPinIsActive = 1 << 0;
constexpr int32_t kVstPinIsStereo = 1 << 1;
constexpr int32_t kVstPinUseSpeaker = 1 << 2;

struct VstPinProperties {
  char label[64];
  int32_t flags;
  int32_t arrangementType;
  char shortLabel[8];
  char future[48];
};
static_assert(sizeof(VstPinProperties) == 128);

// Speaker arrangements (effSetSpeakerArrangement, effGetSpeakerArrangement).
constexpr int32_t kSpeakerArrUserDefined = -2;
constexpr int32_t kSpeakerArrEmpty = -1;
constexpr int32_t kSpeakerArrMono = 0;
constexpr int32_t kSpeakerArrStereo = 1;

struct VstSpeakerProperties {
  float azimuth;
  float elevation;
  float radius;
  float reserved;
  char name[64];
  int32_t type;
  char future[28];
};
static_assert(sizeof(VstSpeakerProperties) == 112);

struct VstSpeakerArrangement {
  int32_t type;
  int32_t numChannels;
  VstSpeakerProperties speakers[8];
};
static_assert(sizeof(VstSpeakerArrangement) == 904);

// effGetMidiKeyName.
struct MidiKeyName {
  int32_t thisProgramIndex;
  int32_t thisKeyNumber;
  char keyName[64];
  int32_t reserved;
  int32_t flags;
};
static_assert(sizeof(MidiKeyName) == 80);

// Text sizes the hosts allocate for the text requests.
constexpr int kVstMaxParamStrLen = 8;
constexpr int kVstMaxProgNameLen = 24;
constexpr int kVstMaxEffectNameLen = 32;
constexpr int kVstMaxVendorStrLen = 64;
constexpr int kVstMaxProductStrLen = 64;
