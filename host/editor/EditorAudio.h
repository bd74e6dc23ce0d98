// EditorAudio: the processing thread behind an open editor. It loops audio held in memory through
// the plug-in block by block, paced to real time like an audio device (or as fast as it can, up to
// a frame limit), and throws the output away: the point is the editor's meters.
//
// Threads: Start and Stop on the editor thread; the processing thread only reads its buffers, calls
// the plug-in's processing callback and advances the host's transport. It allocates nothing per
// block and takes no lock of ours; its only wait is the pacing sleep.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "host/audio/AudioBlock.h"
#include "host/audio/AudioFile.h"
#include "host/audio/ProcessBuffers.h"
#include "host/plugin/Host.h"
#include "host/plugin/Plugin.h"

namespace ferrix::host {

struct EditorAudioSettings {
  int32_t blockFrames = 512;
  bool doublePrecision = false;
  bool paced = true;        // real time; otherwise as fast as the plug-in goes
  int64_t frameLimit = -1;  // stop after exactly this many frames; negative: run until Stop
};

class EditorAudio {
 public:
  // The plug-in is open with the loop's sample rate and the block size set; `loop` (at least one
  // frame) must outlive this object. A mono loop feeds every input; inputs beyond the loop's
  // channels get silence.
  EditorAudio(const Plugin& plugin, Host& host, const AudioData& loop,
              const EditorAudioSettings& settings);
  ~EditorAudio();  // Stop
  EditorAudio(const EditorAudio&) = delete;
  EditorAudio& operator=(const EditorAudio&) = delete;

  // Switches processing on and starts the thread; false with a reason when the plug-in lacks
  // the requested precision.
  bool Start(std::string& error);
  // Ends the thread, then switches processing off. Safe to call twice.
  void Stop();

  int64_t FramesProcessed() const { return frames_.load(std::memory_order_acquire); }
  // The frame limit has been reached (never without one).
  bool Finished() const { return finished_.load(std::memory_order_acquire); }

 private:
  void Run();
  void FillBlock(int32_t frames);

  const Plugin& plugin_;
  Host& host_;
  const AudioData& loop_;
  EditorAudioSettings settings_;
  ProcessMode mode_ = ProcessMode::kReplacing;
  ProcessBuffers buffers_;
  AudioBlock block_;
  int64_t loopPosition_ = 0;
  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<bool> finished_{false};
  std::atomic<int64_t> frames_{0};
};

}  // namespace ferrix::host
