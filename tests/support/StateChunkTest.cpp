#include "support/StateChunk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<unsigned char> Bytes(const StateChunk& chunk) {
  return {chunk.Data(), chunk.Data() + chunk.Size()};
}

TEST(StateChunk, PutsAreLittleEndian) {
  StateChunk chunk;
  chunk.PutInt32(0x70666674);
  chunk.PutInt32(-2);
  chunk.PutBool(true);
  chunk.PutBool(false);
  chunk.PutDouble(1.0);
  chunk.PutString("ab");
  const std::vector<unsigned char> expected = {
      0x74, 0x66, 0x66, 0x70, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0,  // ints, bools
      0,    0,    0,    0,    0,    0,    0xF0, 0x3F,        // 1.0
      2,    0,    0,    0,    'a',  'b'};                    // string
  EXPECT_EQ(Bytes(chunk), expected);
}

TEST(StateChunk, GetsReadBackAndAnswerTheNextPosition) {
  StateChunk chunk;
  chunk.PutInt32(123456789);
  chunk.PutDouble(-0.1);
  chunk.PutBool(true);
  int32_t i = 0;
  double d = 0;
  bool b = false;
  EXPECT_EQ(chunk.GetInt32(&i, 0), 4);
  EXPECT_EQ(chunk.GetDouble(&d, 4), 12);
  EXPECT_EQ(chunk.GetBool(&b, 12), 13);
  EXPECT_EQ(i, 123456789);
  EXPECT_EQ(d, -0.1);
  EXPECT_TRUE(b);
}

TEST(StateChunk, ReadsPastTheEndAnswerMinusOneAndLeaveTheDestination) {
  StateChunk chunk;
  chunk.PutDouble(2.5);
  chunk.PutInt32(7);  // 12 bytes
  double d = 99;
  int32_t i = 99;
  bool b = false;
  EXPECT_EQ(chunk.GetDouble(&d, 5), -1);  // would end at 13
  EXPECT_EQ(chunk.GetInt32(&i, 9), -1);
  EXPECT_EQ(chunk.GetBool(&b, 12), -1);
  EXPECT_EQ(chunk.GetInt32(&i, -1), -1);
  EXPECT_EQ(d, 99);
  EXPECT_EQ(i, 99);
  EXPECT_FALSE(b);
  EXPECT_EQ(chunk.GetInt32(&i, 8), 12);  // exactly at the end is fine
  EXPECT_EQ(i, 7);
  char raw[4];
  EXPECT_EQ(chunk.GetBytes(raw, 5, 8), -1);
  EXPECT_EQ(chunk.GetBytes(raw, -1, 0), -1);
}

TEST(StateChunk, SpecialDoublesKeepTheirBits) {
  StateChunk chunk;
  chunk.PutDouble(-0.0);
  chunk.PutDouble(INFINITY);
  double a = 1, b = 0;
  chunk.GetDouble(&a, 0);
  chunk.GetDouble(&b, 8);
  EXPECT_TRUE(std::signbit(a));
  EXPECT_TRUE(std::isinf(b));
}

TEST(StateChunk, AppendAndClear) {
  StateChunk a, b;
  a.PutInt32(1);
  b.PutInt32(2);
  a.Append(b);
  EXPECT_EQ(a.Size(), 8);
  int32_t v = 0;
  a.GetInt32(&v, 4);
  EXPECT_EQ(v, 2);
  a.Clear();
  EXPECT_EQ(a.Size(), 0);
  EXPECT_EQ(a.Data(), nullptr);
}

}  // namespace
