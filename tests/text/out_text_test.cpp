#include "text/out_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OutText, ContinuesExistingTextAndNeverPassesCapacity) {
  char buffer[12] = "abc";
  buffer[11] = '#';  // must survive: the last byte is reserved for the terminator
  OutText text;
  text.Begin(buffer, 11);
  text.Append("def");
  text.AppendFormat("%d", 42);
  EXPECT_STREQ(buffer, "abcdef42");
  EXPECT_FALSE(text.Cut());
  text.AppendFormat("%s", "0123456789");
  EXPECT_EQ(std::string(buffer), "abcdef4201");
  EXPECT_EQ(text.Length(), 10u);
  EXPECT_TRUE(text.Cut());
  text.Append("x");
  EXPECT_EQ(std::string(buffer), "abcdef4201");
  EXPECT_EQ(buffer[11], '#');
}

TEST(OutText, FullBufferAtBeginIsTerminatedInside) {
  char buffer[4] = {'a', 'b', 'c', 'd'};
  OutText text;
  text.Begin(buffer, sizeof(buffer));
  EXPECT_EQ(text.Length(), 3u);
  EXPECT_STREQ(buffer, "abc");
}

}  // namespace
