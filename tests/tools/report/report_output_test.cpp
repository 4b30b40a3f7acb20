// The text and HTML reports of whole logs.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "report/report_model.h"
#include "test_support.h"
#include "tools/log_reader/log_text.h"

namespace {

using report_test::HtmlOf;
using report_test::ReportOf;
using report_test::TextOf;

const std::string kFixtures = REPORT_FIXTURES;
const std::string kSession = kFixtures + "/Twainlog_20260105_093012_0457.txt";
const std::string kCrashed = kFixtures + "/Twainlog_20260105_101500_1000.txt";

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
// text escaped, and nothing needed from outside the page. The session's cut entry ends in the
// marker, and the next entry starts with its own header.
TEST(HtmlReport, ShowsEveryEntryEscapedOnAPageOfItsOwn) {
  // Per log: its state lines, failed entries, logger messages, and text shown escaped.
  const struct {
    std::string path;
    std::array<size_t, 3> counts;
    std::vector<std::string> shown;
  } cases[] = {
      {kSession,
       {23, 1, 3},
       {"[1.10 &lt;beta&gt; &amp; &quot;more&quot;]", "Size of CAP_xxx too long</pre>",
        "<pre>[00010] [APP] DG_CONTROL/DAT_SETUPMEMXFER/MSG_GET\n", "cut at 5120 bytes"}},
      {kCrashed,
       {4, 0, 0},
       {"&lt;script&gt;alert(1)&lt;/script&gt;", "\\x00\\x00\\x7fgarbage \\x1b[31mred"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    report::Report report = ReportOf(c.path);
    std::string html = HtmlOf(report);
    EXPECT_EQ(report.overview.stateLines, c.counts[0]);
    EXPECT_EQ(Count(html, "<circle class=\"state\""), c.counts[0]);
    EXPECT_EQ(Count(html, "<path class=\"failure\""), report.overview.failures);
    EXPECT_EQ(Count(html, "<details class=\"triplet"), report.overview.triplets);
    EXPECT_EQ(Count(html, "<details class=\"triplet failed\""), c.counts[1]);
    EXPECT_EQ(Count(html, "<div class=\"message\">"), c.counts[2]);
    EXPECT_EQ(Count(html, "<svg") + Count(html, "</svg>"), 2u);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_TRUE(Contains(html, "</html>\n"));
    for (const std::string& text : c.shown) EXPECT_TRUE(Contains(html, text)) << text;
    // Neither an external resource nor raw log text.
    for (const std::string& unwanted :
         {std::string(" src="), std::string("<link"), std::string("href=\"http"),
          std::string("<script"), std::string(1, '\0'), std::string("\x1b")}) {
      EXPECT_FALSE(Contains(html, unwanted)) << unwanted;
    }
  }
}

}  // namespace
