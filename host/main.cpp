// ferrix-host: renders audio files through any VST 2.4 plug-in; with no arguments, the main job.
#include "host/CommandLine.h"
#include "host/ErrorLine.h"
#include "host/HostCommand.h"

int main(int argc, char** argv) {
  ferrix::host::Options options;
  std::string error;
  if (!ferrix::host::ParseCommandLine(argc, argv, options, error)) {
    ferrix::host::ReportError(error);
    return 2;
  }
  return ferrix::host::RunHostCommand(options);
}
