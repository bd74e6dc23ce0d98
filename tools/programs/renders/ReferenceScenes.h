// ReferenceScenes: the reference renders — test signals played through Ferrix with presets and
// parameter changes mid-stream — and the raw little-endian double files they are kept in.
#pragma once

#include <string>
#include <vector>

#include "effect/ClipShifter.h"
#include "tools/programs/renders/TestSignals.h"

struct SceneEvent {
  enum Kind { kLoadPreset, kSetParam, kReset, kOpen };
  int frame;  // applied before this frame is processed
  Kind kind;
  int index;     // preset or parameter index
  double value;  // plain parameter value
};

struct Scene {
  const char* name;   // output files: <name>.out and <name>.meters
  const char* input;  // input file: <input>.in
  double sampleRate;
  int blockSize;
  bool openFirst;  // a host opens the effect before the first block
  std::vector<SceneEvent> events;
};

struct Render {
  std::vector<double> output;  // interleaved left, right
  // Per block: active threshold, shift amount, glide position, then the nine followers' values.
  std::vector<double> meters;
};

constexpr int kReferenceFrames = 3000;

// The three inputs by file name, and the scenes played on them.
std::vector<std::pair<std::string, StereoSignal>> ReferenceInputs();
const std::vector<Scene>& ReferenceScenes();

// The host's two ways in: 64-bit buffers (processDoubleReplacing), or 32-bit ones
// (processReplacing) with the input narrowed to float and the output widened back for the files.
enum class EntryPoint { kDouble, kFloat };

// Where a scene's renders through an entry point are kept: <name><suffix>.out and .meters.
const char* FileSuffix(EntryPoint entry);

// Plays a scene on an input through the effect record, the frames running on `frames`.
Render RenderScene(const Scene& scene, const StereoSignal& input,
                   EntryPoint entry = EntryPoint::kDouble,
                   ClipShifter::Vectors frames = ClipShifter::Widest());

std::vector<double> Interleave(const StereoSignal& signal);
StereoSignal Deinterleave(const std::vector<double>& interleaved);

// Raw doubles in the machine's (little-endian) byte order. Reading answers false when the file
// is missing or not a whole number of doubles.
bool WriteDoubles(const std::string& path, const std::vector<double>& values);
bool ReadDoubles(const std::string& path, std::vector<double>* values);
