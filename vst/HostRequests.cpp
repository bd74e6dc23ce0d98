// VstEffect requests towards the host: edit gestures and automation, display refresh, offline
// detection, time and transport queries, and MIDI and event output. Without a host callback
// every request is skipped and answers 0.
#include <cstdint>

#include "vst/VstEffect.h"

namespace {

constexpr int32_t kTransportMask =
    kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid;

}  // namespace

VstIntPtr VstEffect::CallHost(int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                              float opt) {
  return host_ ? host_(&record_, opcode, index, value, ptr, opt) : 0;
}

void VstEffect::BeginParamGesture(int index) {
  CallHost(audioMasterBeginEdit, index);
}

void VstEffect::ReportParamValue(int index, double normalized) {
  CallHost(audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalized));
}

void VstEffect::EndParamGesture(int index) {
  CallHost(audioMasterEndEdit, index);
}

void VstEffect::ReportProgramChange() {
  CallHost(audioMasterUpdateDisplay);
}

bool VstEffect::IsOfflineRender() {
  return CallHost(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

const VstTimeInfo* VstEffect::HostTime(int32_t mask) {
  return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, mask));
}

int64_t VstEffect::HostSamplePosition() {
  const VstTimeInfo* time = HostTime(0);
  if (!time || !(time->samplePos >= 0.0)) return 0;
  return static_cast<int64_t>(time->samplePos + 0.5);
}

double VstEffect::HostTempo() {
  const VstTimeInfo* time = HostTime(kVstTempoValid);
  if (!time || !(time->flags & kVstTempoValid) || !(time->tempo >= 0.0)) return 0.0;
  return time->tempo;
}

void VstEffect::HostTimeSignature(int* numerator, int* denominator) {
  *numerator = 0;
  *denominator = 0;
  const VstTimeInfo* time = HostTime(kVstTimeSigValid);
  if (!time || !(time->flags & kVstTimeSigValid)) return;
  if (time->timeSigNumerator >= 0 && time->timeSigDenominator >= 0) {
    *numerator = time->timeSigNumerator;
    *denominator = time->timeSigDenominator;
  }
}

void VstEffect::HostTransport(TransportInfo* info) {
  const VstTimeInfo* time = HostTime(kTransportMask);
  if (!time || !(time->flags & kTransportMask)) return;
  const int32_t flags = time->flags;
  info->samplePosition = time->samplePos;
  if ((flags & kVstPpqPosValid) && time->ppqPos >= 0.0) info->quarterNotePosition = time->ppqPos;
  if ((flags & kVstTempoValid) && time->tempo > 0.0) info->tempo = time->tempo;
  if ((flags & kVstBarsValid) && time->barStartPos >= 0.0) {
    info->lastBarQuarterNotes = time->barStartPos;
  }
  if ((flags & kVstCyclePosValid) && time->cycleStartPos >= 0.0 && time->cycleEndPos >= 0.0) {
    info->cycleStartQuarterNotes = time->cycleStartPos;
    info->cycleEndQuarterNotes = time->cycleEndPos;
  }
  if ((flags & kVstTimeSigValid) && time->timeSigNumerator > 0 && time->timeSigDenominator > 0) {
    info->timeSigNumerator = time->timeSigNumerator;
    info->timeSigDenominator = time->timeSigDenominator;
  }
  info->transportRunning = (flags & kVstTransportPlaying) != 0;
  info->cycleActive = (flags & kVstTransportCycleActive) != 0;
}

bool VstEffect::SendEvent(VstEvent* event) {
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = event;
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool VstEffect::SendMidi(const MidiMessage* message) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = message->offset;
  event.midiData[0] = static_cast<char>(message->status);
  event.midiData[1] = static_cast<char>(message->data1);
  event.midiData[2] = static_cast<char>(message->data2);
  return SendEvent(reinterpret_cast<VstEvent*>(&event));
}

bool VstEffect::SendMidiList(std::span<const MidiMessage> messages) {
  bool delivered = true;
  for (const MidiMessage& message : messages)
    delivered = SendMidi(&message) && delivered;
  return delivered;
}
