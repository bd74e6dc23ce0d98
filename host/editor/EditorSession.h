// EditorSession: a plug-in's editor opened in a window of ours, with audio running behind it, the
// way a DAW shows it: effEditGetRect, the window, effEditOpen, idle calls at about 60 a second
// (following size changes the plug-in reports), and at the end effEditClose, then audio off.
// Either until the user closes the window or presses Ctrl+C, or, for a snapshot, until a given
// stretch of audio is processed, and then the window's pixels are captured.
#pragma once

#include <string>

#include "host/audio/AudioFile.h"
#include "host/editor/EditorAudio.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"
#include "raster/MemBitmap.h"

namespace ferrix::host {

struct EditorSessionSettings {
  EditorAudioSettings audio;  // a snapshot runs unpaced up to audio.frameLimit
  bool snapshot = false;      // unseen window, captured into `picture`
};

// The plug-in is open, its sample rate and block size set to the loop's and audio.blockFrames;
// the caller closes it afterwards. Answers false with a one-line reason: no editor, no window,
// a window-system error the plug-in caused, a failed capture.
bool RunEditorSession(const Plugin& plugin, Host& host, const AudioData& loop,
                      const EditorSessionSettings& settings, MemBitmap& picture,
                      std::string& error);

}  // namespace ferrix::host
