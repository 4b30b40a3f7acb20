// The text and HTML reports of whole logs, and the command line around them.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "report/html_report.h"
#include "report/report_model.h"
#include "tool_run.h"

namespace {

using report_test::Contains;
using report_test::ReportOf;
using report_test::TextOf;

const std::string kFixtures = REPORT_FIXTURES;
const std::string kSession = kFixtures + "/Twainlog_20260105_093012_0457.txt";
const std::string kCrashed = kFixtures + "/Twainlog_20260105_101500_1000.txt";

std::string Html(const report::Report& report) {
  std::ostringstream out;
  report::WriteHtmlReport(report, out);
  return out.str();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// A session with every kind of entry, and a crashed and damaged log whose control bytes never
// reach the terminal.
TEST(TextReport, AnswersTheSupportQuestionsByteForByte) {
  for (std::string name : {"Twainlog_20260105_093012_0457", "Twainlog_20260105_101500_1000"}) {
    // The expected reports name the log without its folder, which depends on the checkout.
    std::string text = TextOf(ReportOf(kFixtures + "/" + name + ".txt"));
    ASSERT_EQ(text.find(kFixtures + "/"), text.find(": ") + 2);
    text.erase(text.find(kFixtures + "/"), kFixtures.size() + 1);
    EXPECT_EQ(text, ReadFile(REPORT_EXPECTED "/" + name + ".report.txt")) << name;
  }
}

// One point per state line and one mark per failure; every entry as the log holds it, all log
// text escaped, and nothing needed from outside the page.
TEST(HtmlReport, ShowsEveryEntryEscapedOnAPageOfItsOwn) {
  for (const std::string& path : {kSession, kCrashed}) {
    SCOPED_TRACE(path);
    report::Report report = ReportOf(path);
    std::string html = Html(report);
    EXPECT_EQ(Count(html, "<circle class=\"state\""), report.overview.stateLines);
    EXPECT_EQ(Count(html, "<path class=\"failure\""), report.overview.failures);
    EXPECT_EQ(Count(html, "<details class=\"triplet"), report.overview.triplets);
    EXPECT_EQ(Count(html, "<svg"), 1u);
    EXPECT_EQ(Count(html, "</svg>"), 1u);
    EXPECT_FALSE(Contains(html, " src=")) << "no external resources";
    EXPECT_FALSE(Contains(html, "<link"));
    EXPECT_FALSE(Contains(html, "href=\"http"));
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_TRUE(Contains(html, "</html>\n"));
  }
  std::string crashed = Html(ReportOf(kCrashed));
  EXPECT_FALSE(Contains(crashed, "<script"));
  EXPECT_TRUE(Contains(crashed, "&lt;script&gt;alert(1)&lt;/script&gt;"));
  EXPECT_TRUE(Contains(crashed, "\\x00\\x00\\x7fgarbage \\x1b[31mred"));
  EXPECT_FALSE(Contains(crashed, std::string(1, '\0')));
  EXPECT_FALSE(Contains(crashed, "\x1b"));

  report::Report report = ReportOf(kSession);
  std::string html = Html(report);
  EXPECT_EQ(report.overview.stateLines, 23u);
  EXPECT_EQ(Count(html, "<details class=\"triplet failed\""), 1u);
  EXPECT_TRUE(Contains(html, "[1.10 &lt;beta&gt; &amp; &quot;more&quot;]"));
  // The cut entry ends in the marker, and the next entry starts with its own header.
  EXPECT_TRUE(Contains(html, "Size of CAP_xxx too long</pre>"));
  EXPECT_TRUE(Contains(html, "<pre>[00010] [APP] DG_CONTROL/DAT_SETUPMEMXFER/MSG_GET\n"));
  EXPECT_TRUE(Contains(html, "cut at 5120 bytes"));
  EXPECT_EQ(Count(html, "<div class=\"message\">"), 3u);
}

using CommandLine = report_test::ToolRun;

TEST_F(CommandLine, ReportsEveryReadableLogAndRefusesWrongUse) {
  std::remove(Output("report.html").c_str());
  ASSERT_EQ(Run("--html " + Output("report.html") + " " + kSession), 0);
  EXPECT_EQ(ReadFile(Output("stdout")), TextOf(ReportOf(kSession)));
  EXPECT_EQ(ReadFile(Output("stderr")), "");
  EXPECT_EQ(Count(ReadFile(Output("report.html")), "<circle class=\"state\""), 23u);
  // A damaged log is reported, not refused.
  EXPECT_EQ(Run(kCrashed), 0);
  EXPECT_TRUE(Contains(ReadFile(Output("stdout")), "Unrecognized lines:   4"));

  EXPECT_EQ(Run(""), 2);
  EXPECT_TRUE(Contains(ReadFile(Output("stderr")), "usage: twaintrace-report"));
  EXPECT_EQ(Run("--html"), 2);
  EXPECT_EQ(Run("--verbose " + kSession), 2);
  EXPECT_EQ(Run(kFixtures + "/no-such-log.txt"), 1);
  EXPECT_TRUE(Contains(ReadFile(Output("stderr")), "no-such-log.txt"));
  EXPECT_EQ(Run("--html " + kFixtures + "/no-such-dir/r.html " + kSession), 1);
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_TRUE(Contains(ReadFile(Output("stdout")), "usage:"));
}

}  // namespace
