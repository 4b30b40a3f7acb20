// Reading a log into its entries, logger messages and stray lines, byte for byte as the tracer
// and the levelled logger write them.
#include "report/log_splitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>

#include "log_text.h"
#include "report/report_model.h"
#include "report/text_util.h"

namespace {

using namespace report_test;
using report::BuildReport;
using report::LogItem;
using report::RawEntry;
using report::SplitLog;

const std::string kCut = "Size of CAP_xxx too long";

const RawEntry& EntryAt(const std::vector<LogItem>& items, size_t index) {
  return std::get<RawEntry>(items.at(index));
}

// The parameter text of a capability list long enough to be cut, as the tracer makes it;
// `padding` widens its first dump line.
std::string LongParameterText(size_t items, size_t padding = 0) {
  std::string text =
      Result("TWRC_SUCCESS") +
      Lines({"  TW_CAPABILITY = {" + std::string(padding, ' '),
             "    Cap        = [CAP_SUPPORTEDCAPS]", "    ConType    = [TWON_ARRAY]",
             "    hContainer = <0x00a1b400>", "    TW_ARRAY = {", "      ItemType = [TWTY_UINT16]",
             "      NumItems = [" + std::to_string(items) + "]", "      ItemList = {"});
  for (size_t i = 0; i < items; ++i) {
    char line[64];
    snprintf(line, sizeof(line), "        %3zu:ICAP_XRESOLUTION%s\r\n", i,
             i + 1 < items ? "," : "");
    text += line;
  }
  return text + Lines({"      }", "    }", "  }"}) + State(4);
}

// What the tracer writes for a parameter text over the limit: its first 5120 bytes and the
// marker, with no line end.
std::string Cut(const std::string& parameterText, size_t limit = 5120) {
  return parameterText.substr(0, limit) + kCut;
}

TEST(LogSplitter, AnEntryWithoutHeaderStartsAtItsReturnCodeLine) {
  // Two transfer-ready events in a row, then a header-less entry before a header.
  std::string event = Result("TWRC_DSEVENT") +
                      Lines({"  TW_EVENT = {", "    pEvent    = <0x5fbff900>",
                             "    TWMessage = [MSG_XFERREADY]", "  }"}) +
                      State(6);
  std::string log = Entry(1, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "", 5) + event + event +
                    Entry(2, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6);
  report::Report report = BuildReport("log.txt", log);
  ASSERT_EQ(report.triplets.size(), 4u);
  EXPECT_FALSE(report.triplets[1].hasHeader);
  EXPECT_FALSE(report.triplets[2].hasHeader);
  EXPECT_EQ(report.triplets[1].returnCode, "TWRC_DSEVENT");
  EXPECT_EQ(report.triplets[2].Field("TWMessage"), "MSG_XFERREADY");
  EXPECT_EQ(report.triplets[2].state, 6);
  EXPECT_EQ(report.overview.withoutHeader, 2u);
  EXPECT_EQ(report.overview.unrecognizedLines, 0u);
}

TEST(LogSplitter, ErrorStatusMarkersBelongToTheFailedEntryBeforeThem) {
  std::string failed = FailedEntry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS");
  std::string log = failed + Entry(2, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4) +
                    ErrorStatus();  // markers after a call that did not fail
  std::vector<LogItem> items = SplitLog(log);
  ASSERT_EQ(items.size(), 4u);
  const RawEntry& entry = EntryAt(items, 0);
  EXPECT_TRUE(entry.errorStatusStart && entry.errorStatusEnd);
  EXPECT_EQ(entry.raw, failed);
  // They do not belong to an entry that has its state line; they stay stray lines.
  EXPECT_TRUE(std::holds_alternative<report::UnknownLine>(items[2]));
  EXPECT_TRUE(std::holds_alternative<report::UnknownLine>(items[3]));
}

TEST(LogSplitter, ACutEntryEndsAtTheMarkerAndTheNextHeaderFollowsOnItsLine) {
  std::string parameterText = LongParameterText(300);
  ASSERT_GT(parameterText.size(), 5120u);
  std::string next = Entry(10, "DG_CONTROL/DAT_SETUPMEMXFER/MSG_GET", "", 4);
  std::string log = Header(9, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS)") +
                    Cut(parameterText) + next;
  report::Report report = BuildReport("log.txt", log);
  ASSERT_EQ(report.triplets.size(), 2u);
  const report::Triplet& cut = report.triplets[0];
  EXPECT_TRUE(cut.cut);
  EXPECT_TRUE(cut.cutAtLimit);
  EXPECT_TRUE(cut.Complete());
  EXPECT_TRUE(report::EndsWith(cut.raw, kCut));
  EXPECT_EQ(cut.Field("NumItems"), "300");
  const report::Triplet& following = report.triplets[1];
  EXPECT_EQ(following.sequence, 10);
  EXPECT_EQ(following.raw, next);
  // The header shares its line with the marker.
  EXPECT_EQ(following.firstLine,
            static_cast<size_t>(std::count(log.begin(), log.end() - next.size(), '\n')) + 1);
  EXPECT_EQ(report.overview.unrecognizedLines, 0u);
  EXPECT_EQ(report.overview.cutEntries, 1u);
}

// The limit falls between CR and LF or just after a whole line; a marker away from the limit
// says bytes were lost; a parameter text of exactly the limit is whole.
TEST(LogSplitter, CutMarkersEndTheirEntryWhereverTheLimitFalls) {
  const size_t nearLimit = LongParameterText(300).find("\r\n", 5000);
  const std::string betweenCrAndLf = LongParameterText(300, 5119 - nearLimit);
  const std::string afterLineEnd = LongParameterText(300, 5118 - nearLimit);
  ASSERT_EQ(betweenCrAndLf.substr(5119, 2), "\r\n");
  ASSERT_EQ(afterLineEnd.substr(5118, 2), "\r\n");
  const std::string text = LongParameterText(300);
  const std::string damaged = text.substr(0, 4000) + text.substr(4100, 1020) + kCut;
  const std::string head = Result("TWRC_SUCCESS") + Lines({"  TW_PALETTE8 = { not shown }"});
  const std::string exact = head + "    Reserved     = [" +
                            std::string(5120 - head.size() - 22 - 23, '7') + "]\r\n" + State(4);
  ASSERT_EQ(exact.size(), 5120u);
  const struct {
    std::string parameters;
    bool cut;
    bool cutAtLimit;
  } cases[] = {
      {Cut(betweenCrAndLf), true, true},
      {Cut(afterLineEnd), true, true},
      {damaged, true, false},
      {exact, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.parameters.substr(c.parameters.size() - 40));
    report::Report report = BuildReport(
        "log.txt", Header(1, "DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_SUPPORTEDCAPS)") +
                       c.parameters + Entry(2, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "", 3));
    ASSERT_EQ(report.triplets.size(), 2u);
    EXPECT_EQ(report.triplets[0].cut, c.cut);
    EXPECT_EQ(report.triplets[0].cutAtLimit, c.cutAtLimit);
    EXPECT_EQ(report.triplets[0].state.has_value(), !c.cut);
    EXPECT_EQ(report.triplets[1].sequence, 2);
    EXPECT_EQ(report.overview.unrecognizedLines, 0u);
  }
}

TEST(LogSplitter, LoggerMessagesEndInALineFeedAloneAndMayRunOverSeveralLines) {
  char fileMessage[256];
  snprintf(fileMessage, sizeof(fileMessage), "[%s] %s from \"%s\" (File: %-40s, Line: %4d) %s\n",
           "2026/01/05 09:30:13.002", "INFO", "Scan", "scan_session.cpp", 218, "pixel type set");
  std::string log = fileMessage + Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4) +
                    "[2026/01/05 09:30:15.1000] WARNING from \"Scan\" lamp cooling down\nretrying\n"
                    "[2026/01/05 09:30:15.121]  from \"Scan\" \n" +
                    Entry(2, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "", 3);
  report::Report report = BuildReport("log.txt", log);
  ASSERT_EQ(report.messages.size(), 3u);
  const report::LoggerMessage& withFile = *report.messages[0];
  EXPECT_EQ(withFile.prefix.level, "INFO");
  EXPECT_EQ(withFile.prefix.origin, "Scan");
  EXPECT_EQ(withFile.prefix.file, "scan_session.cpp");
  EXPECT_EQ(withFile.prefix.line, 218);
  EXPECT_EQ(withFile.text, "pixel type set");
  EXPECT_EQ(report.messages[1]->prefix.timestamp, "2026/01/05 09:30:15.1000");
  EXPECT_EQ(report.messages[1]->text, "lamp cooling down\nretrying");
  EXPECT_EQ(report.messages[2]->prefix.level, "");
  EXPECT_EQ(report.triplets.size(), 2u);
  EXPECT_EQ(report.overview.unrecognizedLines, 0u);
}

TEST(LogSplitter, AMessageWithAnEmptyTextSharesItsLineWithWhatFollows) {
  std::string entry = Entry(7, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "", 3);
  std::string log = "[2026/01/05 09:30:15.121] ERROR from \"Scan\" " + entry;
  report::Report report = BuildReport("log.txt", log);
  ASSERT_EQ(report.messages.size(), 1u);
  EXPECT_EQ(report.messages[0]->text, "");
  EXPECT_EQ(report.messages[0]->prefix.level, "ERROR");
  ASSERT_EQ(report.triplets.size(), 1u);
  EXPECT_EQ(report.triplets[0].raw, entry);
}

TEST(LogSplitter, ALogThatEndsInsideAnEntryKeepsWhatWasWritten) {
  std::string complete = Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4);
  for (std::string end : {Header(2, "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET"),
                          Header(2, "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET") + "        Return Co",
                          std::string("[00002] [APP] DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET"),
                          FailedEntry(2, "DG_CONTROL/DAT_STATUS/MSG_GET").substr(0, 120),
                          FailedEntry(2, "DG_CONTROL/DAT_STATUS/MSG_GET").substr(0, 145)}) {
    report::Report report = BuildReport("log.txt", complete + end);
    ASSERT_EQ(report.triplets.size(), 2u) << end;
    EXPECT_FALSE(report.triplets[1].Complete()) << end;
    EXPECT_EQ(report.overview.unfinishedLast, 1u) << end;
    EXPECT_FALSE(report.overview.closedCleanly) << end;
    EXPECT_EQ(report.overview.unrecognizedLines, 0u) << end;
  }
}

TEST(LogSplitter, LinesThatFitNoFormAreCountedWhereverTheyStand) {
  std::string log = Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4) +
                    std::string("\x00\x01garbage\r\n", 11) +
                    Header(2, "DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_UNITS)") +
                    Result("TWRC_SUCCESS") + "  TW_CAPABILITY = {\n" +  // line feed alone
                    Lines({"    Cap        = [ICAP_UNITS]", "#### torn", "  }"}) + State(4) +
                    Lines({"TWAIN Status = [4]"});
  report::Report report = BuildReport("log.txt", log);
  ASSERT_EQ(report.triplets.size(), 2u);
  EXPECT_EQ(report.triplets[1].malformed.size(), 2u);
  EXPECT_EQ(report.triplets[1].Field("Cap"), "ICAP_UNITS");
  ASSERT_EQ(report.unrecognized.size(), 4u);
  EXPECT_EQ(report.unrecognized[0].number, 6u);
  EXPECT_EQ(report.unrecognized[3].text, "TWAIN Status = [4]");
}

}  // namespace
