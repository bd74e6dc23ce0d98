// ChannelPairing: one legal (inputs, outputs) configuration of the plug-in.
#pragma once

#include <cstdint>

struct ChannelPairing {
  int32_t inputs = 0;
  int32_t outputs = 0;
};
