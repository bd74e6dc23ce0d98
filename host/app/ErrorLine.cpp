// System error texts (libsndfile's on Windows, for one) may end in a line break.
#include "host/app/ErrorLine.h"

#include <cstdio>

namespace ferrix::host {
namespace {

void PrintLine(const char* prefix, const std::string& message) {
  std::string line;
  for (char c : message)
    line += c == '\n' || c == '\r' ? ' ' : c;
  while (!line.empty() && line.back() == ' ')
    line.pop_back();
  std::fprintf(stderr, "ferrix-host: %s%s\n", prefix, line.c_str());
}

}  // namespace

int ReportError(const std::string& message) {
  PrintLine("", message);
  return 1;
}

void ReportWarning(const std::string& message) {
  PrintLine("warning: ", message);
}

}  // namespace ferrix::host
