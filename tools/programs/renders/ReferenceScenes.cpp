// The reference scenes and how they are played: events split the blocks, so a change lands
// exactly at its frame; meters are taken at the end of every block.
#include "tools/programs/renders/ReferenceScenes.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <type_traits>

#include "effect/Ferrix.h"
#include "effect/FerrixParam.h"

static_assert(std::endian::native == std::endian::little, "reference files are little-endian");

namespace {

// Factory preset slots.
constexpr int kDefaults = 0, kKick = 2, kSnare = 3, kOverhead = 4, kComprSaturation = 5,
              kReverseSmack = 8;

SceneEvent Preset(int frame, int slot) {
  return {frame, SceneEvent::kLoadPreset, slot, 0.0};
}
SceneEvent Param(int frame, int index, double value) {
  return {frame, SceneEvent::kSetParam, index, value};
}
SceneEvent Reset(int frame) {
  return {frame, SceneEvent::kReset, 0, 0.0};
}
SceneEvent Open(int frame) {
  return {frame, SceneEvent::kOpen, 0, 0.0};
}

void Apply(Ferrix& effect, const SceneEvent& event) {
  switch (event.kind) {
    case SceneEvent::kLoadPreset:
      effect.LoadPreset(event.index);
      break;
    case SceneEvent::kSetParam:
      effect.GetParam(event.index)->SetValue(event.value);
      effect.ParamChanged(event.index);
      break;
    case SceneEvent::kReset:
      effect.ResetState();
      break;
    case SceneEvent::kOpen:
      effect.AnnounceAllParams();
      break;
  }
}

void AppendMeters(const ClipShifter& p, std::vector<double>* meters) {
  meters->insert(meters->end(),
                 {p.activeThreshold, p.shiftAmount, p.glidePosition, p.fastInputLeft.value,
                  p.fastInputRight.value, p.fastOutputLeft.value, p.fastOutputRight.value,
                  p.reduction.value, p.slowInputLeft.value, p.slowInputRight.value,
                  p.slowOutputLeft.value, p.slowOutputRight.value});
}

// Blocks split by the events, through the record's entry point for Sample.
template <typename Sample>
Render Play(Ferrix& effect, const Scene& scene, const StereoSignal& input) {
  const size_t length = input.left.size();
  std::vector<Sample> inLeft(input.left.begin(), input.left.end());
  std::vector<Sample> inRight(input.right.begin(), input.right.end());
  std::vector<Sample> outLeft(length), outRight(length);
  AEffect* record = effect.Record();
  Render render;
  size_t next = 0;
  for (int frame = 0; frame < input.Frames();) {
    while (next < scene.events.size() && scene.events[next].frame == frame)
      Apply(effect, scene.events[next++]);
    int frames = std::min(scene.blockSize, input.Frames() - frame);
    if (next < scene.events.size()) frames = std::min(frames, scene.events[next].frame - frame);
    Sample* inputs[2] = {inLeft.data() + frame, inRight.data() + frame};
    Sample* outputs[2] = {outLeft.data() + frame, outRight.data() + frame};
    if constexpr (std::is_same_v<Sample, double>)
      record->processDoubleReplacing(record, inputs, outputs, frames);
    else
      record->processReplacing(record, inputs, outputs, frames);
    AppendMeters(effect.Processing(), &render.meters);
    frame += frames;
  }
  render.output = Interleave({std::vector<double>(outLeft.begin(), outLeft.end()),
                              std::vector<double>(outRight.begin(), outRight.end())});
  return render;
}

}  // namespace

std::vector<std::pair<std::string, StereoSignal>> ReferenceInputs() {
  return {{"square-burst", SquareBurst(kReferenceFrames)},
          {"decaying-sine", DecayingSine(kReferenceFrames)},
          {"noise-burst", NoiseBurst(kReferenceFrames)}};
}

const std::vector<Scene>& ReferenceScenes() {
  static const std::vector<Scene> scenes = {
      // Rising threshold, 10 ms glide; Fast mid-burst, then a new end threshold (a restart).
      {"kick-square",
       "square-burst",
       48000.0,
       512,
       true,
       {Preset(0, kKick), Param(1200, kFast, 1), Param(1700, kThresholdEnd, -12.0)}},
      // Link on with equal thresholds, then Link off, the end threshold moved, and Bypass.
      {"saturation-square",
       "square-burst",
       44100.0,
       256,
       true,
       {Preset(0, kComprSaturation), Param(900, kLink, 0), Param(1300, kThresholdEnd, -3.0),
        Param(2000, kBypass, 1), Param(2600, kBypass, 0)}},
      // Falling threshold; a softer clip shape and more input gain later on.
      {"overhead-sine",
       "decaying-sine",
       44100.0,
       300,
       true,
       {Preset(0, kOverhead), Param(1000, kClipShape, 0.3), Param(1800, kInputGain, 12.0)}},
      // Defaults with a low initial threshold, a fast glide and a change of output gain.
      {"defaults-sine",
       "decaying-sine",
       22050.0,
       128,
       true,
       {Preset(0, kDefaults), Param(0, kThresholdInitial, -20.0), Param(0, kThresholdTime, 5.0),
        Param(1500, kOutputGain, -6.5)}},
      // Reset and a shorter threshold time in the middle of the burst, then a quiet output.
      {"smack-noise",
       "noise-burst",
       48000.0,
       512,
       true,
       {Preset(0, kReverseSmack), Param(800, kThresholdTime, 5.0), Reset(1400),
        Param(2300, kOutputGain, -22.0)}},
      // Processed before the host opens it (threshold time still 0), opened mid-stream.
      {"unopened-noise", "noise-burst", 48000.0, 512, false, {Open(1500), Preset(1500, kSnare)}},
  };
  return scenes;
}

const char* FileSuffix(EntryPoint entry) {
  return entry == EntryPoint::kDouble ? "" : ".float";
}

Render RenderScene(const Scene& scene, const StereoSignal& input, EntryPoint entry,
                   ClipShifter::Vectors frames) {
  Ferrix effect(nullptr);  // no host: every request towards it answers 0
  effect.SetFrameKind(frames);
  effect.SetSampleRate(scene.sampleRate);
  effect.ChangeBlockSize(scene.blockSize);
  if (scene.openFirst) effect.AnnounceAllParams();
  effect.ResetState();
  return entry == EntryPoint::kDouble ? Play<double>(effect, scene, input)
                                      : Play<float>(effect, scene, input);
}

std::vector<double> Interleave(const StereoSignal& signal) {
  std::vector<double> interleaved;
  interleaved.reserve(signal.left.size() * 2);
  for (size_t i = 0; i < signal.left.size(); ++i) {
    interleaved.push_back(signal.left[i]);
    interleaved.push_back(signal.right[i]);
  }
  return interleaved;
}

StereoSignal Deinterleave(const std::vector<double>& interleaved) {
  StereoSignal signal;
  for (size_t i = 0; i + 1 < interleaved.size(); i += 2) {
    signal.left.push_back(interleaved[i]);
    signal.right.push_back(interleaved[i + 1]);
  }
  return signal;
}

bool WriteDoubles(const std::string& path, const std::vector<double>& values) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written =
      std::fwrite(values.data(), sizeof(double), values.size(), file) == values.size();
  return std::fclose(file) == 0 && written;
}

bool ReadDoubles(const std::string& path, std::vector<double>* values) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  values->clear();
  double chunk[512];
  size_t count;
  while ((count = std::fread(chunk, sizeof(double), 512, file)) > 0)
    values->insert(values->end(), chunk, chunk + count);
  const bool whole = std::feof(file) && std::fgetc(file) == EOF;
  std::fclose(file);
  return whole;
}
