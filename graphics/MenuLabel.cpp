// MenuLabel: formatting a numbered menu entry.
#include "graphics/MenuLabel.h"

#include <cstdio>
#include <cstring>
#include <vector>

std::string MenuLabel(int prefix, int number, const char* text) {
  static const char* const kFormats[] = {"%1d: %s", "%02d: %s", "%03d: %s"};
  if (!text) text = "";
  if (prefix < 1 || prefix > 3) return text;
  std::vector<char> label(std::strlen(text) + 50);
  std::snprintf(label.data(), label.size(), kFormats[prefix - 1], number, text);
  return label.data();
}
