// MidiMessage: one short MIDI message and its frame offset within the current block.
#pragma once

#include <cstdint>

struct MidiMessage {
  int32_t offset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};
