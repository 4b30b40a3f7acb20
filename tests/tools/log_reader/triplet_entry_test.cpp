// One entry's header names, result lines, dump fields and state, as the log prints them.
#include "log_reader/triplet_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "log_reader/line_patterns.h"
#include "tools/log_reader/log_text.h"

namespace {

using namespace report_test;

// A header's parts, put together again, give the line back.
TEST(HeaderLine, NamesTheTripletItsCapabilityAndValuesWithoutNameAndRefusesLookAlikes) {
  for (const std::string line :
       {"[00012] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_PIXELTYPE)",
        "[100000] [APP] ERROR!(-1)/ERROR!(32800)/MSG_GET (ERROR!(4660))",
        "[00003] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET ()",
        "[00020] [APP] DG_IMAGE/DAT_IMAGEFILEXFER/MSG_GET"}) {
    auto header = log_reader::ParseHeaderLine(line);
    ASSERT_TRUE(header) << line;
    std::string names = std::string(header->group) + "/" + std::string(header->argumentType) + "/" +
                        std::string(header->message);
    if (header->hasCapability) names += " (" + std::string(header->capability) + ")";
    EXPECT_EQ(Header(header->sequence, names), line + "\r\n");
  }
  for (const char* text :
       {"[0012] [APP] DG_CONTROL/DAT_NULL/MSG_GET",  // too few digits
        "[00012] [APP] DG_CONTROL/DAT_NULL", "[00012] [APP] DG CONTROL/DAT_NULL/MSG_GET",
        "[00012] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_UNITS",
        "[2026/01/05 09:30:12.457] INFO from \"x\" text", "  [00012] [APP] a/b/c"}) {
    EXPECT_FALSE(log_reader::ParseHeaderLine(text)) << text;
  }
}

// The result lines, fields and items as they are, none of a header alone, and a garbled state
// line shown as it is, not taken for a state; fixture logs show the rest in their reports.
TEST(TripletEntry, TakesResultLinesDumpFieldsAndStringItemsButNoGarbledState) {
  std::string dump =
      CapabilityDump("ICAP_PIXELTYPE", "TWON_ENUMERATION",
                     Lines({"    TW_ENUMERATION = {", "      ItemType     = [TWTY_STR32]",
                            "      NumItems     = [3]", "      CurrentIndex = [1]",
                            "      DefaultIndex = [0]", "      ItemList = {", "          0:a, b,",
                            "          1:[x],", "          2:c,", "      }", "    }"}));
  ReadBack back = Read(
      Entry(4, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE)", dump, 4, "TWRC_CHECKSTATUS") +
      Header(5, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS") +
      Header(6, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS") + Result("TWRC_SUCCESS") +
      "\r\nTWAIN Status = [four]\r\n");
  ASSERT_EQ(back.triplets.size(), 3u);
  const log_reader::Triplet& triplet = back.triplets[0];
  EXPECT_EQ(triplet.returnCode, "TWRC_CHECKSTATUS");
  EXPECT_EQ(triplet.dataPointer, "0x0000a010");
  EXPECT_EQ(triplet.Field("hContainer"), "<0x00a1b2c0>");
  std::vector<std::string_view> items;
  for (const log_reader::ListItem& item : triplet.items) items.push_back(item.text);
  // Separating commas go, commas that belong to a string item stay.
  EXPECT_EQ(items, (std::vector<std::string_view>{"a, b", "[x]", "c,"}));
  EXPECT_TRUE(triplet.malformed.empty());
  EXPECT_FALSE(back.triplets[1].hasResult);
  EXPECT_FALSE(back.triplets[2].state);
  ASSERT_EQ(back.triplets[2].malformed.size(), 1u);
  EXPECT_EQ(back.triplets[2].malformed[0].text, "TWAIN Status = [four]");
}

}  // namespace
