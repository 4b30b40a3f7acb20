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
  const struct {
    std::string line;
    long long sequence;
    bool hasCapability;
  } cases[] = {
      {"[00012] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_PIXELTYPE)", 12, true},
      {"[100000] [APP] ERROR!(-1)/ERROR!(32800)/MSG_GET (ERROR!(4660))", 100000, true},
      {"[00003] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET ()", 3, true},
      {"[00020] [APP] DG_IMAGE/DAT_IMAGEFILEXFER/MSG_GET", 20, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto header = log_reader::ParseHeaderLine(c.line);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->sequence, c.sequence);
    EXPECT_EQ(header->hasCapability, c.hasCapability);
    std::string parts = "[" + c.line.substr(1, c.line.find(']') - 1) + "] [" +
                        std::string(header->tag) + "] " + std::string(header->group) + "/" +
                        std::string(header->argumentType) + "/" + std::string(header->message);
    if (header->hasCapability) parts += " (" + std::string(header->capability) + ")";
    EXPECT_EQ(parts, c.line);
  }
  for (const char* text :
       {"[0012] [APP] DG_CONTROL/DAT_NULL/MSG_GET",  // too few digits
        "[00012] [APP] DG_CONTROL/DAT_NULL", "[00012] [APP] DG CONTROL/DAT_NULL/MSG_GET",
        "[00012] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_UNITS",
        "[2026/01/05 09:30:12.457] INFO from \"x\" text", "  [00012] [APP] a/b/c"}) {
    EXPECT_FALSE(log_reader::ParseHeaderLine(text)) << text;
  }
}

// The result lines, fields and items as they are; fixture logs show the rest in their reports.
TEST(TripletEntry, TakesResultLinesDumpFieldsAndStringItems) {
  std::string dump =
      CapabilityDump("ICAP_PIXELTYPE", "TWON_ENUMERATION",
                     Lines({"    TW_ENUMERATION = {", "      ItemType     = [TWTY_STR32]",
                            "      NumItems     = [3]", "      CurrentIndex = [1]",
                            "      DefaultIndex = [0]", "      ItemList = {", "          0:a, b,",
                            "          1:[x],", "          2:c,", "      }", "    }"}));
  ReadBack back = Read(
      Entry(4, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE)", dump, 4, "TWRC_CHECKSTATUS"));
  ASSERT_EQ(back.triplets.size(), 1u);
  const log_reader::Triplet& triplet = back.triplets[0];
  EXPECT_EQ(triplet.returnCode, "TWRC_CHECKSTATUS");
  EXPECT_EQ(triplet.dataPointer, "0x0000a010");
  EXPECT_EQ(triplet.Field("hContainer"), "<0x00a1b2c0>");
  ASSERT_EQ(triplet.items.size(), 3u);
  // Separating commas go, commas that belong to a string item stay.
  EXPECT_EQ(triplet.items[0].text, "a, b");
  EXPECT_EQ(triplet.items[1].text, "[x]");
  EXPECT_EQ(triplet.items[2].text, "c,");
  EXPECT_TRUE(triplet.malformed.empty());
}

TEST(TripletEntry, AHeaderWithoutResultLinesIsIncompleteAndAGarbledStateLineIsUnrecognized) {
  ReadBack keep = Read(Header(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS") +
                       Header(2, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS") + Result("TWRC_SUCCESS") +
                       "\r\nTWAIN Status = [four]\r\n");
  ASSERT_EQ(keep.triplets.size(), 2u);
  EXPECT_FALSE(keep.triplets[0].hasResult);
  EXPECT_FALSE(keep.triplets[0].Complete());
  EXPECT_EQ(keep.overview.incompleteEntries, 1u);
  EXPECT_FALSE(keep.triplets[1].state);
  ASSERT_EQ(keep.triplets[1].malformed.size(), 1u);
  EXPECT_EQ(keep.triplets[1].malformed[0].text, "TWAIN Status = [four]");
}

}  // namespace
