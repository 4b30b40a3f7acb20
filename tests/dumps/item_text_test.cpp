// One capability value as text by its item type, and an item list within its output buffer.
#include "dumps/item_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "dumps/dump_test_support.h"
#include "text/value_text.h"

namespace {

// The text of `value` as an item of `itemType`, written over a scratch buffer full of 'x'.
template <typename T>
std::string ValueText(TW_UINT16 cap, TW_UINT16 itemType, const T& value) {
  char scratch[kValueTextSize];
  memset(scratch, 'x', sizeof(scratch));
  NameText text = ItemText(NamingOf(cap), itemType, &value, scratch);
  return std::string(text.text, text.length);
}

// Numbers by item type, and a string that fills its 256 bytes. Named values, signed 32-bit
// numbers, fixed-point values, frames, unknown types and 32-byte strings with and without their
// NUL: the capability and item-list dumps' expected text.
TEST(ItemText, NumbersByItemTypeAndStringsByTheirSize) {
  EXPECT_EQ(ValueText(ICAP_BRIGHTNESS, TWTY_INT8, TW_INT8{-2}), "0xfffffffe");
  EXPECT_EQ(ValueText(ICAP_BRIGHTNESS, TWTY_UINT8, TW_UINT8{10}), "0x0a");
  EXPECT_EQ(ValueText(ICAP_BRIGHTNESS, TWTY_INT16, TW_INT16{-300}), "-300");
  EXPECT_EQ(ValueText(ICAP_PIXELTYPE, TWTY_UINT32, TW_UINT32{2}), "2");
  EXPECT_EQ(ValueText(ICAP_PIXELTYPE, TWTY_UINT32, TW_UINT32{0x80000000}), "-2147483648");
  EXPECT_EQ(ValueText(CAP_DUPLEXENABLED, TWTY_BOOL, TW_BOOL{2}), "true");
  EXPECT_EQ(ValueText(CAP_DUPLEXENABLED, TWTY_BOOL, TW_BOOL{0}), "false");
  TW_STR255 longText;
  memset(longText, 'z', sizeof(longText));
  EXPECT_EQ(ValueText(CAP_AUTHOR, TWTY_STR255, longText), std::string(256, 'z'));
}

// Four billion items of a type that is never read: the list ends with the buffer, and nothing
// beyond it is touched.
TEST(ItemList, StaysWithinTheOutputBufferAndStopsWhenItIsFull) {
  char small[100];
  memset(small, '#', sizeof(small));
  small[0] = '\0';
  OutText out;
  out.Begin(small, 64);
  TW_UINT32 nothingRead = 0;
  DumpItemList(DumpContext{out, MSG_GET, TWRC_SUCCESS, nullptr}, ICAP_PIXELTYPE, 13, 0xFFFFFFFF,
               &nothingRead, SIZE_MAX);
  EXPECT_TRUE(out.Cut());
  EXPECT_EQ(strlen(small), 63u);
  EXPECT_EQ(small[64], '#');
}

}  // namespace
