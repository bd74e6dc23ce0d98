// libsndfile I/O. Integer output is clipped at full scale by libsndfile instead of wrapping, and
// float files get no time-stamped PEAK chunk, so equal renders are equal files.
#include "host/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

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

}  // namespace

bool ReadAudioFile(const std::string& path, AudioData& audio, std::string& error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) {
    error = path + ": cannot read audio (" + sf_strerror(nullptr) + ")";
    return false;
  }
  if (info.channels < 1 || info.samplerate < 1) {
    sf_close(file);
    error = path + ": no audio channels or no sample rate";
    return false;
  }
  std::vector<double> interleaved(static_cast<size_t>(info.frames) *
                                  static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_double(file, interleaved.data(), info.frames);
  sf_close(file);
  if (got != info.frames) {
    error = path + ": the audio data ends early";
    return false;
  }
  audio.sampleRate = info.samplerate;
  audio.format = info.format;
  audio.channels.assign(static_cast<size_t>(info.channels),
                        std::vector<double>(static_cast<size_t>(info.frames)));
  for (sf_count_t f = 0; f < info.frames; ++f) {
    for (int c = 0; c < info.channels; ++c) {
      audio.channels[static_cast<size_t>(c)][static_cast<size_t>(f)] =
          interleaved[static_cast<size_t>(f * info.channels + c)];
    }
  }
  return true;
}

bool WriteAudioFile(const std::string& path, const AudioData& audio, std::string& error) {
  int major = 0;
  int fallback = 0;
  if (!ContainerFor(path, major, fallback)) {
    error = path + ": unknown output file type (use .wav, .flac, .aiff, .ogg, .au, .caf, .w64)";
    return false;
  }
  SF_INFO info{};
  info.samplerate = audio.sampleRate;
  info.channels = audio.ChannelCount();
  info.format = major | (audio.format & SF_FORMAT_SUBMASK);
  if (!sf_format_check(&info)) info.format = major | fallback;

  const std::string temporary = path + ".partial";
  SNDFILE* file = sf_open(temporary.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    error = path + ": cannot write audio (" + sf_strerror(nullptr) + ")";
    return false;
  }
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  // The PEAK chunk carries a time stamp; without it the same render gives the same bytes.
  sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
  const int64_t frames = audio.Frames();
  std::vector<double> interleaved(static_cast<size_t>(frames * info.channels));
  for (int64_t f = 0; f < frames; ++f) {
    for (int c = 0; c < info.channels; ++c) {
      interleaved[static_cast<size_t>(f * info.channels + c)] =
          audio.channels[static_cast<size_t>(c)][static_cast<size_t>(f)];
    }
  }
  const sf_count_t written = sf_writef_double(file, interleaved.data(), frames);
  const int closed = sf_close(file);
  std::error_code ec;
  if (written != frames || closed != 0) {
    std::filesystem::remove(temporary, ec);
    error = path + ": writing the audio failed";
    return false;
  }
  std::filesystem::remove(path, ec);  // rename does not replace an existing file everywhere
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    error = path + ": cannot move the finished file into place";
    return false;
  }
  return true;
}

}  // namespace ferrix::host
