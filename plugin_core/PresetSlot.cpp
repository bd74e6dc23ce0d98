// PresetSlot: the bounded name copy.
#include "plugin_core/PresetSlot.h"

#include <cstdio>

void PresetSlot::SetName(const char* text) {
  if (text) std::snprintf(name, sizeof name, "%s", text);
}
