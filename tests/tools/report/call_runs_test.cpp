// Runs of alike calls folded as a person would tell them, and a report whose memory and page
// do not grow with the log.
#include "report/call_runs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "report/report_model.h"
#include "tools/log_reader/log_text.h"

namespace {

using namespace report_test;

// One call of a kind a scan repeats, numbered `sequence`.
std::string Call(char kind, long long sequence) {
  const std::string capability = "DG_CONTROL/DAT_CAPABILITY/MSG_";
  const std::string resolution =
      CapabilityDump("ICAP_XRESOLUTION", "TWON_ONEVALUE", OneValue("TWTY_FIX32", "300"));
  if (kind == 'S') return MemoryStrip(sequence);
  if (kind == 'X') return MemoryStrip(sequence, "TWRC_XFERDONE");
  if (kind == 'F') return FailedEntry(sequence, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET");
  if (kind == 'I') return Entry(sequence, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET", "", 6);
  if (kind == 'f') return FailedEntry(sequence, "DG_IMAGE/DAT_IMAGEINFO/MSG_GET");
  if (kind == 'E') return Entry(sequence, "DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "", 6);
  if (kind == 'G')
    return Entry(sequence, capability + "GETCURRENT (ICAP_XRESOLUTION)", resolution, 4);
  if (kind == 'T') return Entry(sequence, capability + "SET (ICAP_XRESOLUTION)", resolution, 4);
  if (kind == 'R') return FailedEntry(sequence, capability + "SET (ICAP_XRESOLUTION)");
  return Entry(sequence, "DG_CONTROL/DAT_STATUS/MSG_GET", StatusDump("TWCC_BADVALUE"), 6);
}

// The log of `script`, whose words are a count (1 when left out) and a kind of call, numbered
// from 1, or a "g" for a stray line.
std::string Calls(const std::string& script) {
  std::istringstream words(script);
  std::string log;
  long long sequence = 0;
  for (std::string word; words >> word;) {
    for (int i = word.size() > 1 ? std::stoi(word) : 1; i > 0; --i) {
      log += word == "g" ? "garbage " + std::to_string(sequence) + "\r\n"
                         : Call(word.back(), ++sequence);
    }
  }
  return log;
}

// A failure breaks a run into the two around it, a changed capability stands on its own, the
// calls of each page fold into one cycle until a failure, and fewer than ten alike calls are
// told one by one.
TEST(CallRuns, FoldAlikeCallsAsAPersonWouldTellThem) {
  const std::string strips = "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET";
  const std::string get = "DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_XRESOLUTION), all ";
  const struct {
    std::string script;
    std::vector<std::string> rows;
  } cases[] = {
      {"12S F 11S X 3S",
       {"#00001-#00012: 12 x " + strips + ", all TWRC_SUCCESS, 12000 bytes",
        "#00013: " + strips + ", TWRC_FAILURE",
        "#00014-#00028: 15 x " + strips +
            ", all TWRC_SUCCESS but 1 TWRC_XFERDONE, 15000 bytes in 1 page"}},
      {"10G T 10G",
       {"#00001-#00010: 10 x " + get + "TWRC_SUCCESS",
        "#00011: DG_CONTROL/DAT_CAPABILITY/MSG_SET (ICAP_XRESOLUTION), TWRC_SUCCESS",
        "#00012-#00021: 10 x " + get + "TWRC_SUCCESS"}},
      {"I 11S X E I 12S X E I 13S X E f",
       {"#00001-#00045: 3 x [DG_IMAGE/DAT_IMAGEINFO/MSG_GET, 13 x " + strips +
            ", DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER], 45 calls, all TWRC_SUCCESS but 3 "
            "TWRC_XFERDONE, 39000 bytes in 3 pages",
        "#00046: DG_IMAGE/DAT_IMAGEINFO/MSG_GET, TWRC_FAILURE"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::vector<std::string> rows;
    const report::Report report = report::BuildReport("log.txt", Calls(c.script));
    for (const report::CallRow& row : report.calls.Head()) rows.push_back(CallRowText(row));
    EXPECT_EQ(rows, c.rows);
  }
  EXPECT_EQ(report::BuildReport("log.txt", Calls("9S")).calls.Head().size(), 9u);
}

// What the report keeps: its call rows, failures, pages and stray lines; the chart's stretches;
// the bytes of its page.
struct Held {
  std::tuple<size_t, size_t, size_t, size_t> kept;
  size_t buckets, page;
};

Held HeldFor(int pages) {
  std::string path = std::string(REPORT_OUTPUT) + "/bounded-" + std::to_string(pages) + ".txt";
  std::string session;
  for (int page = 0; page < pages; ++page) session += "I 12S X E R s g ";
  std::ofstream(path, std::ios::binary) << Calls(session);
  report::Report report = ReportOf(path);
  EXPECT_EQ(report.overview.triplets, static_cast<size_t>(pages) * 17);
  return Held{{report.calls.RowsHeld(), report.failures.size(), report.pages.size(),
               report.unrecognized.size()},
              report.chart.Buckets().size(),
              HtmlOf(report).size()};
}

// What the report keeps is the same for a log ten times as long; so is its page, near enough.
TEST(BoundedReport, KeepsAsMuchOfALogTenTimesAsLong) {
  Held once = HeldFor(800);
  Held tenTimes = HeldFor(8000);
  EXPECT_EQ(once.kept, tenTimes.kept);
  // The chart halves its stretches as the log grows.
  EXPECT_LE(tenTimes.buckets, report::StateChart::kBuckets);
  EXPECT_LE(tenTimes.page, once.page + once.page / 10);
  EXPECT_LE(tenTimes.page, 5u << 20);
}

}  // namespace
