// The report of a log written by the data source itself: a session driven through DS_Entry as a
// host drives it, with a fake operator that refuses a set and answers a get with a list too long
// to log whole. The transfers of logs the tracer wrote are read in the report of the demo
// sessions.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "platform/memory_handle.h"
#include "report/report_model.h"
#include "shell/data_source_harness.h"
#include "test_support.h"
#include "tools/log_reader/log_text.h"
#include "twaintrace/twain_types.h"

namespace {

// More capability ids than the tracer writes of one entry: their list is cut.
constexpr TW_UINT32 kSupportedCaps = 400;

// Refuses every set; answers every get with a list of capability ids too long to log whole.
TW_UINT16 AnswerCapability(TW_UINT16 MSG, TW_CAPABILITY* capability) {
  if (MSG == MSG_SET) return TWRC_FAILURE;
  capability->ConType = TWON_ARRAY;
  capability->hContainer =
      NewMemoryHandle(offsetof(TW_ARRAY, ItemList) + kSupportedCaps * sizeof(TW_UINT16));
  // The platform's blocks never move, so their data address stays valid unlocked; under the
  // Linux source manager's interface the handle is that address itself.
  auto* array = reinterpret_cast<TW_ARRAY*>(LockMemoryHandle(capability->hContainer));
  UnlockMemoryHandle(capability->hContainer);
  *array = TW_ARRAY{TWTY_UINT16, kSupportedCaps, {}};
  for (TW_UINT32 i = 0; i < kSupportedCaps; ++i) {
    const TW_UINT16 id = i % 2 ? ICAP_XRESOLUTION : ICAP_PIXELTYPE;
    memcpy(array->ItemList + i * sizeof(id), &id, sizeof(id));
  }
  return TWRC_SUCCESS;
}

TW_UINT16 ScannerAnswer(TW_IDENTITY*, TW_UINT32, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData) {
  if (DAT == DAT_CAPABILITY) return AnswerCapability(MSG, static_cast<TW_CAPABILITY*>(pData));
  if (DAT == DAT_STATUS) static_cast<TW_STATUS*>(pData)->ConditionCode = TWCC_BADVALUE;
  if (DAT != DAT_EVENT) return TWRC_SUCCESS;
  static_cast<TW_EVENT*>(pData)->TWMessage = MSG_XFERREADY;
  return TWRC_DSEVENT;
}

TEST(TracedSession, TheReportReadsEverythingTheTracerWrote) {
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&ScannerAnswer);
  TW_IDENTITY source{};
  strcpy(source.ProductName, "Tandra 9000");
  TW_USERINTERFACE ui{};
  TW_CAPABILITY capabilities[2] = {{ICAP_XRESOLUTION, TWON_DONTCARE16, nullptr},
                                   {CAP_SUPPORTEDCAPS, TWON_DONTCARE16, nullptr}};
  TW_STATUS status{};
  TW_EVENT event{};
  TW_PENDINGXFERS pending{};
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source);
  harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capabilities[0]);
  harness.Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capabilities[1]);
  for (TW_CAPABILITY& capability : capabilities) DisposeMemoryHandle(capability.hContainer);
  harness.LogMessage("Halvern", "lamp warm");
  harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  // A transfer-ready event, and the job given up.
  harness.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  harness.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
  harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source);
  harness.Unload();
  const std::string fileName = harness.LogFileName();
  const std::string log = harness.LogText();
  ASSERT_FALSE(log.empty());
  report::Report report = report::BuildReport(fileName, log);
  EXPECT_TRUE(report.overview.loadTime.has_value()) << fileName;
  // The refused set and the cut entry show no state line.
  EXPECT_EQ(report.overview.stateLines, 7u);
  // The report from its overview's second line to the image transfers: no part of it depends on
  // when the session ran.
  const std::string text = report_test::TextOf(report);
  const size_t from = text.find("  Data source:");
  EXPECT_EQ(text.substr(from, text.find("Image transfers") - from),
            ReadFile(REPORT_EXPECTED "/traced_session.report.txt"))
      << log;
  // The list too long to log whole, #00004, is cut where the tracer cuts it.
  EXPECT_TRUE(report_test::Read(log).triplets.at(3).cutAtLimit);
}

}  // namespace
