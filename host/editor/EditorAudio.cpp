// EditorAudio: pacing follows a steady clock from the start, so sleeps that overshoot do not
// add up; after a stall of more than a quarter second the clock restarts instead of catching up
// in a burst.
#include "host/editor/EditorAudio.h"

#include <algorithm>
#include <chrono>

#include "host/audio/Render.h"

namespace ferrix::host {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLongestCatchUp = std::chrono::milliseconds(250);

}  // namespace

EditorAudio::EditorAudio(const Plugin& plugin, Host& host, const AudioData& loop,
                         const EditorAudioSettings& settings)
    : plugin_(plugin),
      host_(host),
      loop_(loop),
      settings_(settings),
      buffers_(plugin.NumInputs(), plugin.NumOutputs(), settings.blockFrames),
      block_(std::max(1, loop.ChannelCount()), settings.blockFrames) {}

EditorAudio::~EditorAudio() {
  Stop();
}

bool EditorAudio::Start(std::string& error) {
  if (thread_.joinable()) return true;
  if (!ChooseProcessMode(plugin_, settings_.doublePrecision, mode_, error)) return false;
  host_.SetProcessLevel(settings_.paced ? kVstProcessLevelRealtime : kVstProcessLevelOffline);
  host_.RewindTransport();
  plugin_.SetProcessPrecision(settings_.doublePrecision);
  plugin_.SetMains(true);
  plugin_.StartProcess();
  running_ = true;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void EditorAudio::Stop() {
  if (!thread_.joinable()) return;
  running_ = false;
  thread_.join();
  plugin_.StopProcess();
  plugin_.SetMains(false);
  host_.SetProcessLevel(kVstProcessLevelUser);
}

void EditorAudio::FillBlock(int32_t frames) {
  const int64_t length = loop_.Frames();
  for (int c = 0; c < block_.ChannelCount(); ++c) {
    double* out = block_.channels[static_cast<size_t>(c)].data();
    const std::vector<double>* in =
        loop_.ChannelCount() > c ? &loop_.channels[static_cast<size_t>(c)] : nullptr;
    int64_t position = loopPosition_;
    for (int32_t i = 0; i < frames; ++i) {
      out[i] = in != nullptr && length > 0 ? (*in)[static_cast<size_t>(position)] : 0.0;
      if (++position >= length) position = 0;
    }
  }
  if (length > 0) loopPosition_ = (loopPosition_ + frames) % length;
  block_.frames = frames;
}

void EditorAudio::Run() {
  const bool mono = block_.ChannelCount() == 1;
  const double rate = loop_.sampleRate > 0 ? loop_.sampleRate : 44100.0;
  Clock::time_point start = Clock::now();
  int64_t sinceStart = 0;
  while (running_.load(std::memory_order_acquire)) {
    int32_t frames = settings_.blockFrames;
    const int64_t done = frames_.load(std::memory_order_relaxed);
    if (settings_.frameLimit >= 0) {
      if (done >= settings_.frameLimit) {
        finished_.store(true, std::memory_order_release);
        break;
      }
      frames = static_cast<int32_t>(std::min<int64_t>(frames, settings_.frameLimit - done));
    }
    FillBlock(frames);
    for (int32_t c = 0; c < plugin_.NumInputs(); ++c) {
      const int from = mono ? 0 : c;
      if (from < block_.ChannelCount()) {
        buffers_.SetInput(c, block_.channels[static_cast<size_t>(from)].data(), frames);
      } else {
        buffers_.ClearInput(c);
      }
    }
    if (mode_ == ProcessMode::kAccumulate) buffers_.FillOutputs(0.0);
    buffers_.Process(plugin_.Effect(), mode_, frames);
    host_.AdvanceTransport(frames);
    frames_.store(done + frames, std::memory_order_release);
    if (!settings_.paced) continue;
    sinceStart += frames;
    const Clock::time_point due =
        start + std::chrono::duration_cast<Clock::duration>(
                    std::chrono::duration<double>(static_cast<double>(sinceStart) / rate));
    const Clock::time_point now = Clock::now();
    if (now > due + kLongestCatchUp) {
      start = now;
      sinceStart = 0;
    } else {
      std::this_thread::sleep_until(due);
    }
  }
}

}  // namespace ferrix::host
