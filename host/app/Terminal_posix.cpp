// isatty on the standard error descriptor.
#include <unistd.h>

#include "host/app/Terminal.h"

namespace ferrix::host {

bool StderrIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace ferrix::host
