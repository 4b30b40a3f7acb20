// Runs of alike calls folded as a person would tell them, and a report whose memory and page
// do not grow with the log.
#include "report/call_runs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "report/html_report.h"
#include "report/report_model.h"
#include "tools/log_reader/log_text.h"
#include "tools/report/tool_run.h"

namespace {

using namespace report_test;

std::string Strip(long long sequence, const std::string& code = "TWRC_SUCCESS") {
  return Entry(sequence, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET",
               Lines({"  TW_IMAGEMEMXFER = {", "    BytesWritten = [1000]", "  }"}), 7, code);
}

std::string CapabilityCall(long long sequence, const std::string& message) {
  return Entry(sequence, "DG_CONTROL/DAT_CAPABILITY/" + message + " (ICAP_XRESOLUTION)",
               CapabilityDump("ICAP_XRESOLUTION", "TWON_ONEVALUE", OneValue("TWTY_FIX32", "300")),
               4);
}

std::vector<std::string> RowTexts(const report::Report& report) {
  std::vector<std::string> rows;
  for (const report::CallRow& row : report.calls.Head()) rows.push_back(report::CallRowText(row));
  return rows;
}

TEST(CallRuns, AFailureBreaksARunIntoTheTwoAroundItAndShortRunsStayOneByOne) {
  std::string log;
  long long sequence = 0;
  for (int i = 0; i < 12; ++i) log += Strip(++sequence);
  log += FailedEntry(++sequence, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET");
  for (int i = 0; i < 11; ++i) log += Strip(++sequence);
  log += Strip(++sequence, "TWRC_XFERDONE");
  for (int i = 0; i < 3; ++i) log += Strip(++sequence);
  report::Report report = report::BuildReport("log.txt", log);
  std::vector<std::string> expected = {
      "#00001-#00012: 12 x DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET, all TWRC_SUCCESS, 12000 bytes",
      "#00013: DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET, TWRC_FAILURE",
      "#00014-#00028: 15 x DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET, all TWRC_SUCCESS but 1 "
      "TWRC_XFERDONE, 15000 bytes in 1 page",
  };
  EXPECT_EQ(RowTexts(report), expected);

  // Fewer than ten alike calls are told one by one.
  std::string shortRun;
  for (int i = 1; i <= 9; ++i) shortRun += Strip(i);
  EXPECT_EQ(RowTexts(report::BuildReport("log.txt", shortRun)).size(), 9u);
}

TEST(CallRuns, AChangedCapabilityEndsTheRunAndStandsOnItsOwn) {
  std::string log;
  long long sequence = 0;
  for (int i = 0; i < 10; ++i) log += CapabilityCall(++sequence, "MSG_GETCURRENT");
  log += CapabilityCall(++sequence, "MSG_SET");
  for (int i = 0; i < 10; ++i) log += CapabilityCall(++sequence, "MSG_GETCURRENT");
  std::vector<std::string> expected = {
      "#00001-#00010: 10 x DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_XRESOLUTION), all "
      "TWRC_SUCCESS",
      "#00011: DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_XRESOLUTION), TWRC_SUCCESS",
      "#00012-#00021: 10 x DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_XRESOLUTION), all "
      "TWRC_SUCCESS",
  };
  EXPECT_EQ(RowTexts(report::BuildReport("log.txt", log)), expected);
}

// The calls of each page of a scan repeat: the pages become one row, until a failure.
TEST(CallRuns, RoundsThatRepeatFoldIntoOneCycle) {
  std::string log;
  long long sequence = 0;
  for (int page = 0; page < 3; ++page) {
    log += Entry(++sequence, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6);
    for (int strip = 0; strip < 11 + page; ++strip) log += Strip(++sequence);
    log += Strip(++sequence, "TWRC_XFERDONE");
    log += Entry(++sequence, "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "", 6);
  }
  log += FailedEntry(++sequence, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET");
  std::vector<std::string> expected = {
      "#00001-#00045: 3 x [DG_IMAGE/DAT_IMAGEINFO/MSG_GET, 13 x DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET, "
      "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER], 45 calls, all TWRC_SUCCESS but 3 TWRC_XFERDONE, "
      "39000 bytes in 3 pages",
      "#00046: DG_IMAGE/DAT_IMAGEINFO/MSG_GET, TWRC_FAILURE",
  };
  EXPECT_EQ(RowTexts(report::BuildReport("log.txt", log)), expected);
}

// A session of `pages` pages as a scanner writes it: image information, strips, the end of
// the transfer, a refused capability set and its status request, a stray line.
std::string SessionLog(int pages) {
  std::string log;
  long long sequence = 0;
  for (int page = 0; page < pages; ++page) {
    log += Entry(++sequence, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6);
    for (int strip = 0; strip < 12; ++strip) log += Strip(++sequence);
    log += Strip(++sequence, "TWRC_XFERDONE");
    log += Entry(++sequence, "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "", 6);
    log += FailedEntry(++sequence, "DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_XRESOLUTION)");
    log += Entry(++sequence, "DG_CONTROL/DAT_STATUS/MSG_GET", StatusDump("TWCC_BADVALUE"), 6);
    log += "garbage " + std::to_string(page) + "\r\n";
  }
  return log;
}

struct Held {
  size_t rows, failures, pages, buckets, lines;
  size_t page;  // bytes of the HTML page
  bool operator==(const Held& o) const {
    return rows == o.rows && failures == o.failures && pages == o.pages && lines == o.lines;
  }
};

Held HeldFor(int pages) {
  mkdir(REPORT_OUTPUT, 0755);  // it may run first in a new build
  std::string path = std::string(REPORT_OUTPUT) + "/bounded-" + std::to_string(pages) + ".txt";
  std::ofstream(path, std::ios::binary) << SessionLog(pages);
  report::Report report;
  std::string error;
  EXPECT_TRUE(report::ReadReport(path, &report, &error)) << error;
  EXPECT_EQ(report.overview.triplets, static_cast<size_t>(pages) * 17);
  std::ostringstream html;
  report::WriteHtmlReport(report, html);
  return Held{report.calls.RowsHeld(),       report.failures.size(),     report.pages.size(),
              report.chart.Buckets().size(), report.unrecognized.size(), html.str().size()};
}

// What the report keeps is the same for a log ten times as long; so is its page, near enough.
TEST(BoundedReport, KeepsAsMuchOfALogTenTimesAsLong) {
  Held once = HeldFor(800);
  Held tenTimes = HeldFor(8000);
  EXPECT_TRUE(once == tenTimes);
  // The chart halves its stretches as the log grows.
  EXPECT_LE(tenTimes.buckets, report::StateChart::kBuckets);
  EXPECT_LE(tenTimes.page, once.page + once.page / 10);
  EXPECT_LE(tenTimes.page, 5u << 20);
}

}  // namespace
