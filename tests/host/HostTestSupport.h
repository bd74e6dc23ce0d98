// Shared helpers of the host tests: paths of the built products, a scratch folder, test audio,
// and running ferrix-host as a separate process.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/audio/AudioFile.h"

namespace ferrix::host::testing {

// A path from the build as the running platform names it (under wine: "Z:\..." for "/...");
// in the per-platform process file.
std::string NativePath(const char* buildPath);

std::string HostExe();
std::string BesideHost(const std::string& name);  // a file in ferrix-host's folder
std::string GainChunksModule();
std::string GainParamsModule();

// A fresh empty folder per test, removed again at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path dir_;
};

// `channels` channels of a deterministic test signal: a ramp that differs per channel, with
// peaks at +-0.8.
AudioData TestSignal(int channels, int frames, int sampleRate = 44100);
void WriteTestWav(const std::string& path, const AudioData& audio);
AudioData ReadBack(const std::string& path);

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs ferrix-host with `args`; stdout and stderr are captured (neither is a terminal).
ProcessResult RunHost(const std::vector<std::string>& args);
std::string ReadTextFile(const std::string& path);

int ProcessId();  // of the test process; in the per-platform process file

// Runs any program with stdout and stderr going to the two files; one file per platform.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& outFile, const std::string& errFile);

}  // namespace ferrix::host::testing
