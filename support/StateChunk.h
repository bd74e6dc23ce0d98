// StateChunk: the byte form of saved state. Typed values are appended little-endian; reads take
// a position and answer the position after the value, or -1 (destination untouched) when the
// data runs out.
#pragma once

#include <cstdint>

#include "support/GrowBuffer.h"

class StateChunk {
 public:
  StateChunk() = default;

  const unsigned char* Data() const { return static_cast<const unsigned char*>(buffer_.Data()); }
  int Size() const { return buffer_.Size(); }
  void Clear() { buffer_.Resize(0, false); }

  // Each answers false when the chunk could not grow (nothing is appended then).
  bool PutInt32(int32_t value);
  bool PutBool(bool value);
  bool PutDouble(double value);
  // An int32 length, then the characters without terminator. Null puts an empty string.
  bool PutString(const char* text);
  bool PutBytes(const void* bytes, int count);
  bool Append(const StateChunk& other) { return PutBytes(other.Data(), other.Size()); }

  int GetInt32(int32_t* out, int position) const;
  int GetBool(bool* out, int position) const;
  int GetDouble(double* out, int position) const;
  int GetBytes(void* out, int count, int position) const;

 private:
  unsigned char* Extend(int count);
  bool Fits(int count, int position) const {
    return position >= 0 && count >= 0 && position <= Size() - count;
  }

  GrowBuffer buffer_{4096};
};
