// What the report concludes from a log: failures and their condition codes, the capability
// negotiation, the image pages and the session overview.
#include "report/report_model.h"

#include <gtest/gtest.h>

#include <string>

#include "tools/log_reader/log_text.h"

namespace {

using namespace report_test;
using report::BuildReport;
using report::CapabilityOperation;
using report::LoadTimeFromFileName;

std::string CapabilityEntry(long long sequence, const std::string& message,
                            const std::string& capability, const std::string& conType,
                            const std::string& container, int state = 4) {
  return Entry(sequence, "DG_CONTROL/DAT_CAPABILITY/" + message + " (" + capability + ")",
               CapabilityDump(capability, conType, container), state);
}

std::string FailedCapabilityEntry(long long sequence, const std::string& message,
                                  const std::string& capability) {
  return FailedEntry(sequence, "DG_CONTROL/DAT_CAPABILITY/" + message + " (" + capability + ")",
                     CapabilityDump(capability, "TWON_ONEVALUE", ""));
}

std::string StatusEntry(long long sequence, const std::string& conditionCode) {
  return Entry(sequence, "DG_CONTROL/DAT_STATUS/MSG_GET", StatusDump(conditionCode), 4);
}

TEST(Failures, TakeTheConditionCodeOfTheStatusRequestThatFollows) {
  std::string event = Result("TWRC_DSEVENT") + State(6);
  report::Report report = BuildReport(
      "log.txt", FailedCapabilityEntry(1, "MSG_SET", "ICAP_XRESOLUTION") + event +
                     StatusEntry(2, "TWCC_BADVALUE") +
                     FailedEntry(3, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS") +
                     Entry(4, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "", 3) +
                     StatusEntry(5, "TWCC_SEQERROR") +
                     FailedEntry(6, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS") +
                     FailedEntry(7, "DG_CONTROL/DAT_STATUS/MSG_GET", StatusDump("TWCC_SUCCESS")));
  ASSERT_EQ(report.failures.size(), 4u);
  // An event entry between the failure and its status request does not count.
  EXPECT_EQ(report.failures[0].conditionCode, "TWCC_BADVALUE");
  EXPECT_EQ(report.failures[0].status->sequence, 2);
  // The status request has to be the very next triplet.
  EXPECT_FALSE(report.failures[1].status);
  // A status request that failed tells nothing.
  EXPECT_FALSE(report.failures[2].status);
  EXPECT_FALSE(report.failures[3].status);
  EXPECT_EQ(report.overview.failures, 4u);
}

// A failed get keeps the answer before it; a support query is no get. Enumerations, ranges,
// one-values and a refused set with its condition code are read in the fixture logs' reports.
TEST(CapabilityNegotiation, ShowsTheLastAnswerOfEachGetAndTheLastSet) {
  std::string array =
      Lines({"    TW_ARRAY = {", "      ItemType = [TWTY_UINT16]", "      NumItems = [2]",
             "      ItemList = {", "          0:CAP_AUTHOR,", "          1:ICAP_UNITS", "      }",
             "    }"});
  report::Report report = BuildReport(
      "log.txt",
      CapabilityEntry(1, "MSG_QUERYSUPPORT", "ICAP_XRESOLUTION", "TWON_ONEVALUE",
                      OneValue("TWTY_INT32", "7")) +
          CapabilityEntry(2, "MSG_GET", "CAP_SUPPORTEDCAPS", "TWON_ARRAY", array) +
          FailedCapabilityEntry(3, "MSG_GET", "CAP_SUPPORTEDCAPS") +
          CapabilityEntry(4, "MSG_GETCURRENT", "CAP_SUPPORTEDCAPS", "TWON_DONTCARE16", "") +
          CapabilityEntry(5, "MSG_GETDEFAULT", "CAP_SUPPORTEDCAPS", "TWON_ARRAY",
                          Lines({"    TW_ARRAY = {", "      NumItems = [0]", "      ItemList = {",
                                 "      }", "    }"})));
  ASSERT_EQ(report.capabilities.size(), 2u);
  const report::CapabilityNegotiation& resolution = report.capabilities[0];
  EXPECT_EQ(resolution.calls, 1u);
  EXPECT_FALSE(resolution.Outcome(CapabilityOperation::kGet).last);

  const report::CapabilityNegotiation& supported = report.capabilities[1];
  const report::CapabilityOutcome& get = supported.Outcome(CapabilityOperation::kGet);
  EXPECT_EQ(get.last->triplet.sequence, 3);
  ASSERT_TRUE(get.lastAnswered);
  EXPECT_EQ(get.lastAnswered->value, "array: CAP_AUTHOR, ICAP_UNITS");
  EXPECT_EQ(supported.Outcome(CapabilityOperation::kGetCurrent).last->value,
            "TWON_DONTCARE16, no values shown");
  EXPECT_EQ(supported.Outcome(CapabilityOperation::kGetDefault).last->value, "array: no items");
}

// Pages that end as they should are read in the fixture logs' reports; these end otherwise.
TEST(ImagePages, AFinishedTransferWithoutEndStillClosesItsPageAndFailedStripsDoNotCount) {
  report::Report report = BuildReport(
      "log.txt", Entry(1, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6) +
                     MemoryStrip(2, "TWRC_SUCCESS", 100) +
                     FailedEntry(3, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET") +
                     Entry(4, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6) +
                     Entry(5, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET", "", 7, "TWRC_XFERDONE"));
  ASSERT_EQ(report.pages.size(), 2u);
  EXPECT_EQ(report.pages[0].strips, 1u);
  EXPECT_EQ(report.pages[0].result, "TWRC_FAILURE");
  EXPECT_FALSE(report.pages[0].ended);
  // A strip whose dump the log lacks leaves the byte count open.
  EXPECT_EQ(report.pages[1].strips, 1u);
  EXPECT_FALSE(report.pages[1].bytesShown);
}

// A plain load time is read in the fixture logs' reports; here the carries and the names refused.
TEST(Overview, LoadTimeComesFromTheFileNameAndTheRoundedMillisecondsCarry) {
  EXPECT_EQ(LoadTimeFromFileName("Twainlog_20261231_235959_1000.txt"), "2027-01-01 00:00:00.000");
  EXPECT_EQ(LoadTimeFromFileName("Twainlog_20240228_235959_1000.txt"), "2024-02-29 00:00:00.000");
  for (const char* name : {"Twainlog_20260105_093012_457.txt", "Twainlog_20261305_093012_0457.txt",
                           "Twainlog_20260230_093012_0457.txt", "Twainlog_20260105_093012_1001.txt",
                           "trace.txt", "Twainlog_2026O105_093012_0457.txt"}) {
    EXPECT_FALSE(LoadTimeFromFileName(name)) << name;
  }
}

// A failed close leaves the source open. The event entry has no number: only 3 is missing. A second
// load in one file is read in the reports of hostile logs.
TEST(Overview, TellsWhetherTheSessionClosedAndWhereTheNumberingSkipped) {
  const std::string log = Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4) +
                          Entry(2, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "", 5) +
                          Result("TWRC_DSEVENT") + State(6) +
                          Entry(4, "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET", "", 7, "TWRC_XFERDONE") +
                          Entry(5, "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "", 5) +
                          Entry(6, "DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS", "", 4) +
                          FailedEntry(7, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS");
  report::Overview leftOpen = BuildReport("log.txt", log).overview;
  EXPECT_EQ(leftOpen.highestState, 7);
  EXPECT_EQ(leftOpen.lastState, 4);
  EXPECT_FALSE(leftOpen.closedCleanly);
  EXPECT_EQ(leftOpen.sequenceGaps, 1u);
}

}  // namespace
