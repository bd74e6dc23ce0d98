// Feeds arbitrary bytes to the StateChunk readers at arbitrary positions.
#include <cstddef>
#include <cstdint>

#include "support/StateChunk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StateChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));
  int position = 0;
  while (position >= 0) {
    int32_t length = 0;
    double value = 0;
    bool flag = false;
    position = chunk.GetInt32(&length, position);
    position = chunk.GetDouble(&value, position);
    position = chunk.GetBool(&flag, position);
  }
  return 0;
}
