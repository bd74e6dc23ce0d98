// OfflineFerrix: Ferrix without a host, for the reference renders, the tests and the benchmark.
// The host-binding operations answer neutral values and report nothing.
#pragma once

#include <span>

#include "effect/Ferrix.h"

class OfflineFerrix : public Ferrix {
 public:
  OfflineFerrix() : Ferrix(nullptr) {}
  void BeginParamGesture(int) override {}
  void ReportParamValue(int, double) override {}
  void EndParamGesture(int) override {}
  void ReportProgramChange() override {}
  int64_t HostSamplePosition() override { return 0; }
  double HostTempo() override { return 0.0; }
  void HostTimeSignature(int*, int*) override {}
  void HostTransport(TransportInfo*) override {}
  void ResizeEditor(int, int) override {}
  bool SendMidi(const MidiMessage*) override { return false; }
  bool SendMidiList(std::span<const MidiMessage>) override { return false; }
};
