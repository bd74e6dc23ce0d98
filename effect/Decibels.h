// Decibels to linear amplitude for the parameter reactions: 10^(dB/20) as exp(dB × ln10/20).
#pragma once

#include "effect/PortableMath.h"

inline double DecibelsToLinear(double decibels) {
  return PortableExp(decibels * 0.1151292546497);
}
