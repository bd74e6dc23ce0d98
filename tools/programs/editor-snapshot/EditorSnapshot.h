// EditorSnapshot: Ferrix's editor drawn headless after processing a stereo input, the way a host
// shows it: 512-frame blocks, and after every 1/24 s of audio the editor's timer tick (collect
// the dirty controls, redraw them). Used by the snapshot tool and the snapshot tests.
#pragma once

#include <string>

#include "host/audio/AudioFile.h"

class Ferrix;

struct SnapshotScene {
  std::string preset = "-";  // factory preset name ("-": the defaults)
  double seconds = 0.0;      // how much of the input to process; 0 or less: all of it
};

// Every text from the font files the reference snapshots were drawn with (Linux; Windows draws
// with GDI's fonts), so that other fonts on the machine change no pixel. Call before the first
// text is drawn; false with a reason naming a missing font file.
bool UseReferenceFonts(std::string& error);

// The module handle of the images linked into this executable goes to SetModuleInstance first.
// Processes input (one or two channels; one is used for both sides) through effect after a
// host's set-up (sample rate, preset, open, reset) and leaves the last tick's canvas in its
// editor. Answers false with a reason when the preset is unknown or there is no editor.
bool DrawAfterProcessing(Ferrix& effect, const ferrix::host::AudioData& input,
                         const SnapshotScene& scene, std::string& error);
