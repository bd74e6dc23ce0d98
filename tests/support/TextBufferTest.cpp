#include "support/TextBuffer.h"

#include <gtest/gtest.h>

namespace {

TEST(TextBuffer, CopiesUpToTheLimitAndStopsAtZero) {
  TextBuffer text;
  EXPECT_STREQ(text.Get(), "");
  text.Set("Input 1", 5);
  EXPECT_STREQ(text.Get(), "Input");
  EXPECT_EQ(text.Length(), 5);
  text.Set("ab\0cd", 5);
  EXPECT_STREQ(text.Get(), "ab");
  text.Set("a longer text than before");
  EXPECT_STREQ(text.Get(), "a longer text than before");
  text.Set(nullptr);
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.Length(), 0);
}

TEST(TextBuffer, SettingFromItsOwnTextIsSafe) {
  TextBuffer text("overlap");
  text.Set(text.Get() + 4);
  EXPECT_STREQ(text.Get(), "lap");
}

}  // namespace
