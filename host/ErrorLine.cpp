// System error texts (libsndfile's on Windows, for one) may end in a line break.
#include "host/ErrorLine.h"

#include <cstdio>

namespace ferrix::host {

int ReportError(const std::string& message) {
  std::string line;
  for (char c : message)
    line += c == '\n' || c == '\r' ? ' ' : c;
  while (!line.empty() && line.back() == ' ')
    line.pop_back();
  std::fprintf(stderr, "ferrix-host: %s\n", line.c_str());
  return 1;
}

}  // namespace ferrix::host
