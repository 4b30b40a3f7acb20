#include "text/out_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The analyzer continues a text already in the caller's buffer and must never pass its capacity,
// whose last byte is the terminator's.
TEST(OutText, ContinuesExistingTextAndCutsAtCapacity) {
  char buffer[12] = "abc";
  buffer[11] = '#';
  OutText text;
  text.Begin(buffer, 11);
  text.Put("def42", 5);
  text.Terminate();
  EXPECT_STREQ(buffer, "abcdef42");
  EXPECT_FALSE(text.Cut());
  // Exactly one byte more than the room left is cut as surely as a longer piece.
  text.Put("012", 3);
  text.Terminate();
  EXPECT_EQ(std::string(buffer), "abcdef4201");
  EXPECT_EQ(text.Length(), 10u);
  EXPECT_TRUE(text.Cut());
  text.Put("x", 1);
  text.Terminate();
  EXPECT_EQ(std::string(buffer), "abcdef4201");
  EXPECT_EQ(buffer[11], '#');

  char full[4] = {'a', 'b', 'c', 'd'};
  text.Begin(full, sizeof(full));
  EXPECT_EQ(text.Length(), 3u);
  EXPECT_STREQ(full, "abc");
}

}  // namespace
