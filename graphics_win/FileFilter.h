// FileFilter: the file dialog's filter from a list of extensions ("fxp fxb": space separated,
// without dots).
#pragma once

struct FileFilter {
  static constexpr int kPatternLimit = 126;   // characters of "*.a;*.b"
  static constexpr int kExtensionLimit = 15;  // characters of the default extension
  // The pattern twice (description and filter, each zero-terminated) and a closing zero.
  char filter[2 * (kPatternLimit + 1) + 1] = {};
  char defaultExtension[kExtensionLimit + 1] = {};
};

// Fills out from extensions. False (out empty) for an empty list or one whose pattern or first
// extension is over its limit: the dialog then shows every file.
bool BuildFileFilter(const char* extensions, FileFilter* out);
