// TransportInfo: the host's transport state. The caller fills in its defaults; the host query
// overwrites only what the host reports as valid.
#pragma once

#include <cstdint>

struct TransportInfo {
  double tempo = 0.0;
  double samplePosition = 0.0;
  double quarterNotePosition = 0.0;
  double lastBarQuarterNotes = 0.0;
  double cycleStartQuarterNotes = 0.0;
  double cycleEndQuarterNotes = 0.0;
  int32_t timeSigNumerator = 0;
  int32_t timeSigDenominator = 0;
  bool transportRunning = false;
  bool cycleActive = false;
};
