// Decibels to linear amplitude for the parameter reactions: 10^(dB/20) as exp(dB × ln10/20);
// and back for the editor's linked knobs: 20·log10|g| as ln|g| × 20/ln10.
#pragma once

#include "effect/PortableMath.h"

inline double DecibelsToLinear(double decibels) {
  return PortableExp(decibels * 0.1151292546497);
}

inline double LinearToDecibels(double linear) {
  return PortableLog(linear < 0.0 ? -linear : linear) * 8.685889638065037;
}
