// Reading and writing audio files through libsndfile, block by block as planar doubles, and
// whole files for small jobs and tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/audio/AudioBlock.h"
#include "host/audio/PendingFile.h"

typedef struct sf_private_tag SNDFILE;

namespace ferrix::host {

struct AudioData {
  int sampleRate = 0;
  int format = 0;  // libsndfile's format word of the file it came from (0: not from a file)
  std::vector<std::vector<double>> channels;

  int ChannelCount() const { return static_cast<int>(channels.size()); }
  int64_t Frames() const { return channels.empty() ? 0 : static_cast<int64_t>(channels[0].size()); }
};

// Streams a file. The length its header declares is only a hint for progress: corrupt or cut
// files declare anything, so reading goes on until the data ends, whatever the header said.
class AudioFileReader {
 public:
  AudioFileReader() = default;
  ~AudioFileReader();
  AudioFileReader(const AudioFileReader&) = delete;
  AudioFileReader& operator=(const AudioFileReader&) = delete;

  // Answers false with a one-line reason in `error`.
  bool Open(const std::string& path, std::string& error);
  int SampleRate() const { return sampleRate_; }
  int ChannelCount() const { return channels_; }
  int Format() const { return format_; }
  int64_t DeclaredFrames() const { return declaredFrames_; }  // 0: unknown
  int64_t FramesRead() const { return framesRead_; }

  // Fills `block` (one buffer per channel) with up to `frames` frames; answers how many, 0 at
  // the end. Memory: one interleaved buffer of the largest request, nothing per call.
  int32_t Read(AudioBlock& block, int32_t frames);
  // After the end: one line when the data stopped before the declared length, else empty.
  std::string EarlyEndWarning() const;

 private:
  std::string path_;
  SNDFILE* file_ = nullptr;
  int sampleRate_ = 0;
  int channels_ = 0;
  int format_ = 0;
  int64_t declaredFrames_ = 0;
  int64_t framesRead_ = 0;
  std::vector<double> interleaved_;
};

// Writes to a temporary name beside the target; Commit moves the finished file over the target.
// Destroyed without Commit, it leaves nothing behind.
class AudioFileWriter {
 public:
  AudioFileWriter() = default;
  ~AudioFileWriter();
  AudioFileWriter(const AudioFileWriter&) = delete;
  AudioFileWriter& operator=(const AudioFileWriter&) = delete;

  // Everything Open would refuse, checked without creating anything: the name's container,
  // the folder, a folder of that name, and whether the container takes this rate and channel
  // count. `sourceFormat` is the input's libsndfile format word.
  static bool CheckTarget(const std::string& path, int sampleRate, int channels, int sourceFormat,
                          std::string& error);

  // Chooses the container from the extension and keeps the source's sample format where the
  // container allows it (float stays float, so values above 0 dBFS survive).
  bool Open(const std::string& path, int sampleRate, int channels, int sourceFormat,
            std::string& error);
  bool Write(const AudioBlock& block, std::string& error);
  bool Commit(std::string& error);

 private:
  void Close();

  std::string path_;
  PendingFile pending_;
  SNDFILE* file_ = nullptr;
  int channels_ = 0;
  std::vector<double> interleaved_;
};

// Whether ferrix-host writes files of this name's type (by extension, any case).
bool IsAudioFileName(const std::string& path);

// The whole file in memory, as far as its data goes; a file that ends before its declared
// length is refused here (a render streams it instead).
bool ReadAudioFile(const std::string& path, AudioData& audio, std::string& error);
bool WriteAudioFile(const std::string& path, const AudioData& audio, std::string& error);

}  // namespace ferrix::host
