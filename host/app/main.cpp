// ferrix-host: renders audio files through any VST 2.4 plug-in; with no arguments, the main job.
// Whatever goes wrong in the host itself (memory, a library's exception) ends as one error line
// and exit code 1, never as an abort that would look like a crash.
#include <exception>
#include <new>

#include "host/app/CommandLine.h"
#include "host/app/ErrorLine.h"
#include "host/app/HostCommand.h"

int main(int argc, char** argv) {
  using ferrix::host::ReportError;
  try {
    ferrix::host::Options options;
    std::string error;
    if (!ferrix::host::ParseCommandLine(argc, argv, options, error)) {
      ReportError(error);
      return 2;
    }
    return ferrix::host::RunHostCommand(options);
  } catch (const std::bad_alloc&) {
    return ReportError("out of memory");
  } catch (const std::exception& e) {
    return ReportError(std::string("unexpected failure: ") + e.what());
  } catch (...) {
    return ReportError("unexpected failure");
  }
}
