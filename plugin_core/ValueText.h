// ValueText: a text shown in place of one integer parameter value (such as "off" for 0).
#pragma once

#include <cstdint>

struct ValueText {
  static constexpr int kTextSize = 32;
  int32_t value = 0;
  char text[kTextSize] = {};
};
