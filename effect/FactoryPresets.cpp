// Ferrix's factory presets: "-" with the defaults, then eight named settings. Doubles go in as
// doubles, the three switches as ints (AddPreset reads them by kind).
#include "effect/Ferrix.h"

void Ferrix::AddFactoryPresets() {
  FillEmptyPresets("-", 1);
  // clang-format off
  //        name                 in    out   thr-init thr-end shape time  link fast bypass
  AddPreset("Bass Grit",         4.2,  1.4,  -12.0,  -3.0,  0.78, 90.0, 0, 0, 0);
  AddPreset("Kick",              2.2,  4.0,  -8.0,   -0.2,  0.85, 10.0, 0, 0, 0);
  AddPreset("Snare",             2.5,  0.5,  -15.0,  -3.5,  1.0,  40.0, 0, 0, 0);
  AddPreset("Overhead",          3.5,  1.0,  -6.6,   -19.0, 0.86, 19.0, 0, 0, 0);
  AddPreset("Compr-Saturation",  3.5,  1.1,  -11.0,  -11.0, 0.54, 1.0,  1, 0, 0);
  AddPreset("Master Buss 1",     1.3,  -0.5, -4.4,   -0.1,  0.84, 57.0, 0, 0, 0);
  AddPreset("Master Buss 2",     1.3,  0.2,  -3.5,   -3.5,  0.9,  27.0, 1, 0, 0);
  AddPreset("Reverse Smack",     3.0,  -0.6, -2.5,   -7.0,  0.85, 58.0, 0, 0, 0);
  // clang-format on
}
