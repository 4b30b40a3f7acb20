// The report of a log written by the data source itself: a session driven through DS_Entry
// as a host drives it, with a fake operator that refuses one capability set.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "report/html_report.h"
#include "report/report_model.h"
#include "shell/data_source_harness.h"
#include "twaintrace/twain_types.h"

namespace {

TW_UINT16 ScannerAnswer(TW_IDENTITY*, TW_UINT32, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData) {
  switch (DAT) {
    case DAT_CAPABILITY:
      return MSG == MSG_SET ? TWRC_FAILURE : TWRC_SUCCESS;
    case DAT_STATUS:
      static_cast<TW_STATUS*>(pData)->ConditionCode = TWCC_BADVALUE;
      return TWRC_SUCCESS;
    case DAT_EVENT:
      static_cast<TW_EVENT*>(pData)->TWMessage = MSG_XFERREADY;
      return TWRC_DSEVENT;
    case DAT_IMAGENATIVEXFER:
      return TWRC_XFERDONE;
    case DAT_PENDINGXFERS:
      static_cast<TW_PENDINGXFERS*>(pData)->Count = 0;
      return TWRC_SUCCESS;
    default:
      return TWRC_SUCCESS;
  }
}

// An event that is not the source's: the tracer logs nothing for it.
TW_UINT16 NotSourceEvent(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
  return TWRC_NOTDSEVENT;
}

std::string TracedSession(std::string* fileName) {
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&ScannerAnswer);
  TW_CAPABILITY pixelType{};
  pixelType.Cap = ICAP_PIXELTYPE;
  TW_CAPABILITY resolution{};
  resolution.Cap = ICAP_XRESOLUTION;
  TW_STATUS status{};
  TW_USERINTERFACE ui{};
  TW_EVENT event{};
  TW_IMAGEINFO info{};
  TW_UINT32 handle = 0;
  TW_PENDINGXFERS pending{};

  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr);
  harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &pixelType);
  harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &resolution);
  harness.Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  harness.SetHandler(&NotSourceEvent);
  harness.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  harness.SetHandler(&ScannerAnswer);
  harness.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  harness.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info);
  harness.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
  harness.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
  harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr);
  harness.Unload();
  *fileName = harness.LogFileName();
  return harness.LogText();
}

TEST(TracedSession, TheReportReadsEverythingTheTracerWrote) {
  std::string fileName;
  std::string log = TracedSession(&fileName);
  ASSERT_FALSE(log.empty());
  report::Report report = report::BuildReport(fileName, log);
  const report::Overview& overview = report.overview;
  EXPECT_TRUE(overview.loadTime.has_value()) << fileName;
  EXPECT_EQ(overview.triplets, 11u);
  EXPECT_EQ(overview.withoutHeader, 1u);
  EXPECT_EQ(overview.firstSequence, 1);
  EXPECT_EQ(overview.lastSequence, 10);
  EXPECT_EQ(overview.sequenceGaps, 0u);
  EXPECT_EQ(overview.highestState, 7);
  EXPECT_EQ(overview.stateLines, 10u);
  EXPECT_TRUE(overview.closedCleanly);
  EXPECT_EQ(overview.unrecognizedLines, 0u) << log;
  EXPECT_FALSE(overview.unfinishedLast);

  ASSERT_EQ(report.failures.size(), 1u);
  const report::Triplet& refused = report.triplets[report.failures[0].triplet];
  EXPECT_EQ(report::TripletText(refused), "DG_CONTROL/DAT_CAPABILITY/MSG_SET");
  EXPECT_EQ(refused.capability, "ICAP_XRESOLUTION");
  EXPECT_TRUE(refused.errorStatus);

  ASSERT_EQ(report.pages.size(), 1u);
  EXPECT_EQ(report.pages[0].mechanism, report::TransferMechanism::kNative);
  EXPECT_EQ(report.pages[0].result, "TWRC_XFERDONE");
  EXPECT_TRUE(report.pages[0].ended);

  std::ostringstream html;
  report::WriteHtmlReport(report, html);
  std::string page = html.str();
  size_t points = 0;
  for (size_t at = page.find("<circle class=\"state\""); at != std::string::npos;
       at = page.find("<circle class=\"state\"", at + 1)) {
    ++points;
  }
  EXPECT_EQ(points, 10u);
}

}  // namespace
