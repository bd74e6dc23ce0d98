// ferrix-host's command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ferrix::host {

struct Options {
  std::string plugin;  // empty: the Ferrix module built beside ferrix-host
  std::string input;
  std::string output;
  int block = 512;
  int precision = 32;
  bool list = false;
  std::string preset;  // a program name or index
  std::vector<std::pair<std::string, std::string>>
      params;                  // name, value text ("@0.75": normalised)
  std::string loadPreset;      // .fxp / .fxb read before --preset and --param
  std::string savePreset;      // .fxp / .fxb written after the render
  std::string outDir = "out";  // the main job's output folder
  std::string plot;            // --plot FILE.png: a picture of the render
  std::string batchIn;         // --batch IN_DIR OUT_DIR
  std::string batchOut;
  int jobs = 0;                // worker threads for --batch; 0: one per core
  bool editor = false;         // --editor: show the plug-in's editor until closed
  std::string editorSnapshot;  // --editor-snapshot OUT.png
  double afterSeconds = 1.0;   // audio a snapshot processes first
  bool afterSecondsGiven = false;
  std::string loopInput;  // --input: the audio looped behind an editor (default: the demo)
  bool quiet = false;
  bool json = false;
  bool help = false;

  bool IsEditorJob() const { return editor || !editorSnapshot.empty(); }
  // No input, output, listing, preset file or editor: render the demo with every program (the
  // main job).
  bool IsMainJob() const {
    return input.empty() && !list && loadPreset.empty() && savePreset.empty() && batchIn.empty() &&
           !IsEditorJob();
  }
};

// Answers false with a one-line reason in `error`.
bool ParseCommandLine(int argc, const char* const* argv, Options& options, std::string& error);

extern const char* const kUsage;

}  // namespace ferrix::host
