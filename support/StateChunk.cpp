// StateChunk: little-endian encoding, byte by byte, whatever the machine's order.
#include "support/StateChunk.h"

#include <cstring>

namespace {

void StoreLittleEndian(unsigned char* out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint64_t LoadLittleEndian(const unsigned char* in, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value |= static_cast<uint64_t>(in[i]) << (8 * i);
  return value;
}

}  // namespace

unsigned char* StateChunk::Extend(int count) {
  const int oldSize = Size();
  buffer_.Resize(oldSize + count, false);
  if (Size() != oldSize + count) return nullptr;
  return static_cast<unsigned char*>(buffer_.Data()) + oldSize;
}

bool StateChunk::PutInt32(int32_t value) {
  unsigned char* out = Extend(4);
  if (out) StoreLittleEndian(out, static_cast<uint32_t>(value), 4);
  return out != nullptr;
}

bool StateChunk::PutBool(bool value) {
  unsigned char* out = Extend(1);
  if (out) *out = value ? 1 : 0;
  return out != nullptr;
}

bool StateChunk::PutDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  unsigned char* out = Extend(8);
  if (out) StoreLittleEndian(out, bits, 8);
  return out != nullptr;
}

bool StateChunk::PutString(const char* text) {
  const int length = text ? static_cast<int>(std::strlen(text)) : 0;
  const int oldSize = Size();
  if (PutInt32(length) && PutBytes(text, length)) return true;
  buffer_.Resize(oldSize, false);
  return false;
}

bool StateChunk::PutBytes(const void* bytes, int count) {
  if (count <= 0) return count == 0;
  unsigned char* out = Extend(count);
  if (out) std::memcpy(out, bytes, static_cast<size_t>(count));
  return out != nullptr;
}

int StateChunk::GetInt32(int32_t* out, int position) const {
  if (!Fits(4, position)) return -1;
  *out = static_cast<int32_t>(static_cast<uint32_t>(LoadLittleEndian(Data() + position, 4)));
  return position + 4;
}

int StateChunk::GetBool(bool* out, int position) const {
  if (!Fits(1, position)) return -1;
  *out = Data()[position] != 0;
  return position + 1;
}

int StateChunk::GetDouble(double* out, int position) const {
  if (!Fits(8, position)) return -1;
  const uint64_t bits = LoadLittleEndian(Data() + position, 8);
  std::memcpy(out, &bits, sizeof bits);
  return position + 8;
}

int StateChunk::GetBytes(void* out, int count, int position) const {
  if (!Fits(count, position)) return -1;
  if (count > 0) std::memcpy(out, Data() + position, static_cast<size_t>(count));
  return position + count;
}
