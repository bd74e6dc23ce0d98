// libsndfile I/O. Integer output is clipped at full scale by libsndfile instead of wrapping, and
// float files get no time-stamped PEAK chunk, so equal renders are equal files.
#include "host/audio/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace ferrix::host {
namespace {

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// The container for an output name, and the sample format used when the input's does not fit.
bool ContainerFor(const std::string& path, int& major, int& fallbackSubtype) {
  struct Entry {
    const char* ext;
    int major;
    int subtype;
  };
  static constexpr Entry kEntries[] = {
      {".wav", SF_FORMAT_WAV, SF_FORMAT_FLOAT},   {".aif", SF_FORMAT_AIFF, SF_FORMAT_FLOAT},
      {".aiff", SF_FORMAT_AIFF, SF_FORMAT_FLOAT}, {".au", SF_FORMAT_AU, SF_FORMAT_FLOAT},
      {".caf", SF_FORMAT_CAF, SF_FORMAT_FLOAT},   {".w64", SF_FORMAT_W64, SF_FORMAT_FLOAT},
      {".rf64", SF_FORMAT_RF64, SF_FORMAT_FLOAT}, {".flac", SF_FORMAT_FLAC, SF_FORMAT_PCM_24},
      {".ogg", SF_FORMAT_OGG, SF_FORMAT_VORBIS},
  };
  const std::string ext = LowerExtension(path);
  for (const Entry& e : kEntries) {
    if (ext == e.ext) {
      major = e.major;
      fallbackSubtype = e.subtype;
      return true;
    }
  }
  return false;
}

// The SF_INFO a target gets, or false with a reason.
bool TargetInfo(const std::string& path, int sampleRate, int channels, int sourceFormat,
                SF_INFO& info, std::string& error) {
  int major = 0;
  int fallback = 0;
  if (!ContainerFor(path, major, fallback)) {
    error =
        path + ": unknown output file type (use .wav, .flac, .aiff, .ogg, .au, .caf, .w64, .rf64)";
    return false;
  }
  info = SF_INFO{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = major | (sourceFormat & SF_FORMAT_SUBMASK);
  if (!sf_format_check(&info)) info.format = major | fallback;
  if (!sf_format_check(&info)) {
    error = path + ": this file type cannot hold " + std::to_string(channels) + " channels";
    return false;
  }
  return true;
}

// A libsndfile stream that keeps nothing: opening a writer on it shows whether the container
// takes the rate and channel count (FLAC refuses rates above 655350 Hz, for one) without a file.
struct NullStream {
  sf_count_t position = 0;
  sf_count_t length = 0;
};

SF_VIRTUAL_IO NullStreamIo() {
  SF_VIRTUAL_IO io{};
  io.get_filelen = [](void* user) { return static_cast<NullStream*>(user)->length; };
  io.seek = [](sf_count_t offset, int whence, void* user) {
    auto* s = static_cast<NullStream*>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? s->position : s->length;
    s->position = std::max<sf_count_t>(0, base + offset);
    return s->position;
  };
  io.read = [](void*, sf_count_t, void*) -> sf_count_t { return 0; };
  io.write = [](const void*, sf_count_t count, void* user) {
    auto* s = static_cast<NullStream*>(user);
    s->position += count;
    s->length = std::max(s->length, s->position);
    return count;
  };
  io.tell = [](void* user) { return static_cast<NullStream*>(user)->position; };
  return io;
}

}  // namespace

AudioFileReader::~AudioFileReader() {
  if (file_ != nullptr) sf_close(file_);
}

bool AudioFileReader::Open(const std::string& path, std::string& error) {
  path_ = path;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    error = path + ": is a folder, not an audio file";
    return false;
  }
  SF_INFO info{};
  file_ = sf_open(path.c_str(), SFM_READ, &info);
  if (file_ == nullptr) {
    error = path + ": cannot read audio (" + sf_strerror(nullptr) + ")";
    return false;
  }
  if (info.channels < 1 || info.samplerate < 1) {
    error = path + ": no audio channels or no sample rate";
    return false;
  }
  sampleRate_ = info.samplerate;
  channels_ = info.channels;
  format_ = info.format;
  declaredFrames_ = info.frames > 0 && info.frames < SF_COUNT_MAX ? info.frames : 0;
  return true;
}

int32_t AudioFileReader::Read(AudioBlock& block, int32_t frames) {
  block.frames = 0;
  if (file_ == nullptr || frames <= 0) return 0;
  frames = std::min(frames, block.Capacity());
  const size_t needed = static_cast<size_t>(frames) * static_cast<size_t>(channels_);
  if (interleaved_.size() < needed) interleaved_.resize(needed);
  const sf_count_t got = sf_readf_double(file_, interleaved_.data(), frames);
  if (got <= 0) return 0;
  const int channels = std::min(channels_, block.ChannelCount());
  for (int c = 0; c < channels; ++c) {
    double* out = block.channels[static_cast<size_t>(c)].data();
    for (sf_count_t f = 0; f < got; ++f)
      out[f] = interleaved_[static_cast<size_t>(f * channels_ + c)];
  }
  block.frames = static_cast<int32_t>(got);
  framesRead_ += got;
  return block.frames;
}

std::string AudioFileReader::EarlyEndWarning() const {
  if (declaredFrames_ == 0 || framesRead_ >= declaredFrames_) return {};
  return path_ + ": the audio data ends after " + std::to_string(framesRead_) + " of the " +
         std::to_string(declaredFrames_) + " frames its header declares; rendered what is there";
}

bool AudioFileWriter::CheckTarget(const std::string& path, int sampleRate, int channels,
                                  int sourceFormat, std::string& error) {
  SF_INFO info{};
  if (!TargetInfo(path, sampleRate, channels, sourceFormat, info, error)) return false;
  if (!CheckOutputPath(path, error)) return false;
  NullStream stream;
  SF_VIRTUAL_IO io = NullStreamIo();
  SNDFILE* probe = sf_open_virtual(&io, SFM_WRITE, &info, &stream);
  if (probe == nullptr) {
    error = path + ": this file type cannot be written at " + std::to_string(sampleRate) +
            " Hz with " + std::to_string(channels) + " channels (" + sf_strerror(nullptr) + ")";
    return false;
  }
  sf_close(probe);
  return true;
}

AudioFileWriter::~AudioFileWriter() {
  Close();
}

void AudioFileWriter::Close() {
  if (file_ != nullptr) sf_close(file_);
  file_ = nullptr;
}

bool AudioFileWriter::Open(const std::string& path, int sampleRate, int channels, int sourceFormat,
                           std::string& error) {
  path_ = path;
  SF_INFO info{};
  if (!TargetInfo(path, sampleRate, channels, sourceFormat, info, error)) return false;
  if (!pending_.Create(path, error)) return false;
  file_ = sf_open(pending_.TemporaryPath().c_str(), SFM_WRITE, &info);
  if (file_ == nullptr) {
    error = path + ": cannot write audio (" + sf_strerror(nullptr) + ")";
    pending_.Discard();
    return false;
  }
  channels_ = channels;
  sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  // The PEAK chunk carries a time stamp; without it the same render gives the same bytes.
  sf_command(file_, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  return true;
}

bool AudioFileWriter::Write(const AudioBlock& block, std::string& error) {
  if (file_ == nullptr) {
    error = path_ + ": the output is not open";
    return false;
  }
  const size_t needed = static_cast<size_t>(block.frames) * static_cast<size_t>(channels_);
  if (interleaved_.size() < needed) interleaved_.resize(needed);
  for (int c = 0; c < channels_; ++c) {
    const double* in = block.channels[static_cast<size_t>(c)].data();
    for (int32_t f = 0; f < block.frames; ++f)
      interleaved_[static_cast<size_t>(f) * static_cast<size_t>(channels_) +
                   static_cast<size_t>(c)] = in[f];
  }
  if (sf_writef_double(file_, interleaved_.data(), block.frames) != block.frames) {
    error = path_ + ": writing the audio failed (" + sf_strerror(file_) + ")";
    Close();
    pending_.Discard();
    return false;
  }
  return true;
}

bool AudioFileWriter::Commit(std::string& error) {
  if (file_ == nullptr) {
    error = path_ + ": the output is not open";
    return false;
  }
  const int closed = sf_close(file_);
  file_ = nullptr;
  if (closed != 0) {
    error = path_ + ": writing the audio failed";
    pending_.Discard();
    return false;
  }
  return pending_.Commit(error);
}

bool IsAudioFileName(const std::string& path) {
  int major = 0;
  int fallback = 0;
  return ContainerFor(path, major, fallback);
}

bool ReadAudioFile(const std::string& path, AudioData& audio, std::string& error) {
  AudioFileReader reader;
  if (!reader.Open(path, error)) return false;
  audio.sampleRate = reader.SampleRate();
  audio.format = reader.Format();
  audio.channels.assign(static_cast<size_t>(reader.ChannelCount()), {});
  AudioBlock block(reader.ChannelCount(), 65536);
  while (reader.Read(block, block.Capacity()) > 0) {
    for (int c = 0; c < block.ChannelCount(); ++c) {
      const std::vector<double>& in = block.channels[static_cast<size_t>(c)];
      audio.channels[static_cast<size_t>(c)].insert(audio.channels[static_cast<size_t>(c)].end(),
                                                    in.begin(), in.begin() + block.frames);
    }
  }
  error = reader.EarlyEndWarning();
  return error.empty();
}

bool WriteAudioFile(const std::string& path, const AudioData& audio, std::string& error) {
  AudioFileWriter writer;
  if (!writer.Open(path, audio.sampleRate, audio.ChannelCount(), audio.format, error)) {
    return false;
  }
  constexpr int32_t kChunk = 65536;
  AudioBlock block(audio.ChannelCount(), kChunk);
  for (int64_t start = 0; start < audio.Frames(); start += kChunk) {
    block.frames = static_cast<int32_t>(std::min<int64_t>(kChunk, audio.Frames() - start));
    for (int c = 0; c < audio.ChannelCount(); ++c) {
      const double* in = audio.channels[static_cast<size_t>(c)].data() + start;
      std::copy(in, in + block.frames, block.channels[static_cast<size_t>(c)].begin());
    }
    if (!writer.Write(block, error)) return false;
  }
  return writer.Commit(error);
}

}  // namespace ferrix::host
