// What the report concludes from a log, as its text tells it: failures and their condition codes,
// the capability negotiation, the image pages and the session overview.
#include "report/report_model.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"
#include "tools/log_reader/log_text.h"

namespace {

using namespace report_test;
using report::LoadTimeFromFileName;

// The text report of `log`, whose file name carries no load time, as the expected file
// `name`.report.txt holds it.
void ExpectReportText(const std::string& log, const std::string& name) {
  EXPECT_EQ(TextOf(report::BuildReport("log.txt", log)),
            ReadFile(REPORT_EXPECTED "/" + name + ".report.txt"));
}

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

// An event entry between a failure and its status request does not count; any other call does,
// and a status request that failed tells nothing.
TEST(Failures, TakeTheConditionCodeOfTheStatusRequestThatFollows) {
  std::string event = Result("TWRC_DSEVENT") + State(6);
  ExpectReportText(FailedCapabilityEntry(1, "MSG_SET", "ICAP_XRESOLUTION") + event +
                       StatusEntry(2, "TWCC_BADVALUE") +
                       FailedEntry(3, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS") +
                       Entry(4, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "", 3) +
                       StatusEntry(5, "TWCC_SEQERROR") +
                       FailedEntry(6, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS") +
                       FailedEntry(7, "DG_CONTROL/DAT_STATUS/MSG_GET", StatusDump("TWCC_SUCCESS")),
                   "failures");
}

// A failed get keeps the answer before it; a support query is no get. Enumerations, ranges,
// one-values and a refused set with its condition code are read in the fixture logs' reports.
TEST(CapabilityNegotiation, ShowsTheLastAnswerOfEachGetAndTheLastSet) {
  std::string array =
      Lines({"    TW_ARRAY = {", "      ItemType = [TWTY_UINT16]", "      NumItems = [2]",
             "      ItemList = {", "          0:CAP_AUTHOR,", "          1:ICAP_UNITS", "      }",
             "    }"});
  ExpectReportText(
      CapabilityEntry(1, "MSG_QUERYSUPPORT", "ICAP_XRESOLUTION", "TWON_ONEVALUE",
                      OneValue("TWTY_INT32", "7")) +
          CapabilityEntry(2, "MSG_GET", "CAP_SUPPORTEDCAPS", "TWON_ARRAY", array) +
          FailedCapabilityEntry(3, "MSG_GET", "CAP_SUPPORTEDCAPS") +
          CapabilityEntry(4, "MSG_GETCURRENT", "CAP_SUPPORTEDCAPS", "TWON_DONTCARE16", "") +
          CapabilityEntry(5, "MSG_GETDEFAULT", "CAP_SUPPORTEDCAPS", "TWON_ARRAY",
                          Lines({"    TW_ARRAY = {", "      NumItems = [0]", "      ItemList = {",
                                 "      }", "    }"})),
      "capability_negotiation");
}

// Pages that end as they should are read in the fixture logs' reports; these end otherwise.
TEST(ImagePages, AFinishedTransferWithoutEndStillClosesItsPageAndFailedStripsDoNotCount) {
  // The second page's strip has no dump in the log, so its byte count stays open.
  ExpectReportText(Entry(1, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6) +
                       MemoryStrip(2, "TWRC_SUCCESS", 100) +
                       FailedEntry(3, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET") +
                       Entry(4, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6) +
                       Entry(5, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET", "", 7, "TWRC_XFERDONE"),
                   "image_pages");
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
  ExpectReportText(Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "", 4) +
                       Entry(2, "DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "", 5) +
                       Result("TWRC_DSEVENT") + State(6) +
                       Entry(4, "DG_IMAGE/DAT_IMAGENATIVEXFER/MSG_GET", "", 7, "TWRC_XFERDONE") +
                       Entry(5, "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "", 5) +
                       Entry(6, "DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS", "", 4) +
                       FailedEntry(7, "DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS"),
                   "session_left_open");
}

}  // namespace
