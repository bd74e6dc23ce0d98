// FileFilter: "fxp fxb" becomes "*.fxp;*.fxb", twice, and the default extension "fxp".
#include "graphics_win/FileFilter.h"

#include <cstring>
#include <string>

bool BuildFileFilter(const char* extensions, FileFilter* out) {
  *out = FileFilter{};
  if (!extensions) return false;
  std::string pattern, first;
  for (const char* p = extensions; *p;) {
    while (*p == ' ')
      ++p;
    const char* start = p;
    while (*p && *p != ' ')
      ++p;
    if (p == start) break;
    if (first.empty()) first.assign(start, p);
    if (!pattern.empty()) pattern += ';';
    pattern += "*.";
    pattern.append(start, p);
  }
  if (pattern.empty() || pattern.size() > FileFilter::kPatternLimit ||
      first.size() > FileFilter::kExtensionLimit)
    return false;
  std::memcpy(out->filter, pattern.c_str(), pattern.size() + 1);
  std::memcpy(out->filter + pattern.size() + 1, pattern.c_str(), pattern.size() + 1);
  std::memcpy(out->defaultExtension, first.c_str(), first.size() + 1);
  return true;
}
