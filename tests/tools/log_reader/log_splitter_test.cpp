// Reading a log into its entries, logger messages and stray lines, byte for byte as the tracer
// and the levelled logger write them.
#include "log_reader/log_splitter.h"

#include <gtest/gtest.h>

#include <string>

#include "tools/log_reader/log_text.h"

namespace {

using namespace report_test;

const std::string kCut = "Size of CAP_xxx too long";

// The parameter text of a capability list of 300 items, long enough to be cut, as the tracer
// makes it; `padding` widens its first dump line.
std::string LongParameterText(size_t padding = 0) {
  std::string text =
      Result("TWRC_SUCCESS") +
      Lines({"  TW_CAPABILITY = {" + std::string(padding, ' '),
             "    Cap        = [CAP_SUPPORTEDCAPS]", "    ConType    = [TWON_ARRAY]",
             "    hContainer = <0x00a1b400>", "    TW_ARRAY = {", "      ItemType = [TWTY_UINT16]",
             "      NumItems = [300]", "      ItemList = {"});
  for (int i = 0; i < 300; ++i) text += "        " + std::to_string(i) + ":ICAP_XRESOLUTION,\r\n";
  return text + Lines({"      }", "    }", "  }"}) + State(4);
}

// What the tracer writes for a parameter text over the limit: its first 5120 bytes and the
// marker, with no line end.
std::string Cut(const std::string& parameterText) {
  return parameterText.substr(0, 5120) + kCut;
}

// Among the header-less entries an error message with its milliseconds rounded up to 1000, the
// level and time the fixture logs' reports do not read.
TEST(LogSplitter, AnEntryWithoutHeaderStartsAtItsReturnCodeLine) {
  // Two transfer-ready events in a row, then a header-less entry before a header.
  std::string event = Result("TWRC_DSEVENT") +
                      Lines({"  TW_EVENT = {", "    pEvent    = <0x5fbff900>",
                             "    TWMessage = [MSG_XFERREADY]", "  }"}) +
                      State(6);
  ReadBack report =
      Read(Entry(1, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "", 5) + event + event +
           "[2026/01/05 09:30:15.1000] ERROR from \"Scan\" lamp cooling down\n" +
           Entry(2, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6));
  ASSERT_EQ(report.triplets.size(), 4u);
  EXPECT_EQ(report.triplets[2].Field("TWMessage"), "MSG_XFERREADY");
  EXPECT_EQ(report.triplets[2].state, 6);
  EXPECT_EQ(report.overview.withoutHeader, 2u);
  EXPECT_EQ(report.overview.loggerMessages, 1u);
  EXPECT_EQ(report.overview.unrecognizedLines, 0u);
}

// A message's text runs on over lines ended by a line feed alone, up to the next message.
TEST(LogSplitter, AMessageRunsOnOverBareLineFeedsUntilTheNextMessage) {
  const std::string first = "[2026/01/05 09:30:15.120] INFO from \"x\" note\nsecond line\n";
  const std::string log = first + "[2026/01/05 09:30:15.121] WARNING from \"x\" next\n";
  const std::vector<log_reader::LogItem> items = log_reader::SplitLog(log);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(std::get<log_reader::LoggerMessage>(items[0]).raw, first);
}

// The markers complete the failed call before them; the start alone does not. After a call
// that did not fail, which has its state line, they stay stray lines.
TEST(LogSplitter, ErrorStatusMarkersBelongToTheFailedEntryBeforeThem) {
  const std::string failed = FailedEntry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS");
  ReadBack back = Read(failed + Entry(2, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4) +
                       ErrorStatus() + Header(3, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS") +
                       Result("TWRC_FAILURE") + Lines({"*** Inspect Error Status Start ***"}));
  ASSERT_EQ(back.triplets.size(), 3u);
  EXPECT_EQ(back.triplets[0].raw, failed);
  EXPECT_TRUE(back.triplets[0].Complete());
  EXPECT_FALSE(back.triplets[0].state);
  EXPECT_EQ(back.overview.unrecognizedLines, 2u);
  EXPECT_FALSE(back.triplets[2].Complete());
}

// The limit falls inside a line, between CR and LF or just after a whole line; a marker away
// from the limit says bytes were lost; a parameter text of exactly the limit is whole. The next
// header follows the marker on its line.
TEST(LogSplitter, CutMarkersEndTheirEntryWhereverTheLimitFalls) {
  const size_t nearLimit = LongParameterText().find("\r\n", 5000);
  const std::string betweenCrAndLf = LongParameterText(5119 - nearLimit);
  const std::string afterLineEnd = LongParameterText(5118 - nearLimit);
  ASSERT_EQ(betweenCrAndLf.substr(5119, 2), "\r\n");
  ASSERT_EQ(afterLineEnd.substr(5118, 2), "\r\n");
  const std::string text = LongParameterText();
  const std::string damaged = text.substr(0, 4000) + text.substr(4100, 1020) + kCut;
  const std::string head = Result("TWRC_SUCCESS") + Lines({"  TW_PALETTE8 = { not shown }"});
  std::string exact = head + "    Reserved     = []\r\n" + State(4);
  exact.insert(exact.find("[]") + 1, 5120 - exact.size(), '7');
  const struct {
    std::string parameters;
    bool cut;
    bool cutAtLimit;
  } cases[] = {
      {Cut(text), true, true},         {Cut(betweenCrAndLf), true, true},
      {Cut(afterLineEnd), true, true}, {damaged, true, false},
      {exact, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.parameters.substr(c.parameters.size() - 40));
    const std::string next = Entry(2, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "", 3);
    ReadBack report = Read(Header(1, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS)") +
                           c.parameters + next);
    ASSERT_EQ(report.triplets.size(), 2u);
    EXPECT_EQ(report.triplets[0].cut, c.cut);
    EXPECT_EQ(report.triplets[0].cutAtLimit, c.cutAtLimit);
    EXPECT_EQ(report.triplets[0].state.has_value(), !c.cut);
    EXPECT_EQ(report.triplets[0].Field("NumItems"), c.parameters == exact ? "" : "300");
    EXPECT_EQ(report.triplets[1].raw, next);
    EXPECT_EQ(report.overview.cutEntries, c.cut ? 1u : 0u);
    EXPECT_EQ(report.overview.unrecognizedLines, 0u);
  }
}

// The host stopped inside the last entry's header, its result lines, its error-status markers
// or just before the end of its state line.
TEST(LogSplitter, ALogThatEndsInsideAnEntryKeepsWhatWasWritten) {
  std::string complete = Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4);
  for (std::string end : {Header(2, "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET"),
                          Header(2, "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET") + "        Return Co",
                          std::string("[00002] [APP] DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET"),
                          FailedEntry(2, "DG_CONTROL/DAT_STATUS/MSG_GET").substr(0, 120),
                          FailedEntry(2, "DG_CONTROL/DAT_STATUS/MSG_GET").substr(0, 145),
                          Header(2, "DG_CONTROL/DAT_STATUS/MSG_GET") + Result("TWRC_SUCCESS") +
                              "\r\nTWAIN Status = [4]"}) {
    ReadBack report = Read(complete + end);
    ASSERT_EQ(report.triplets.size(), 2u) << end;
    EXPECT_EQ(report.overview.unfinishedLast->ordinal, 2u) << end;
    EXPECT_EQ(report.overview.unrecognizedLines, 0u) << end;
  }
}

}  // namespace
