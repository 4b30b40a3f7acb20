// Whole log folders as a customer sends them: the index in load order, the reports of the
// sessions, and a page whose every link leads somewhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "report/log_files.h"
#include "test_support.h"
#include "tools/log_reader/log_text.h"

namespace {

namespace fs = std::filesystem;
using report_test::HtmlOf;
using report_test::ReportOf;
using report_test::TextOf;

const std::string kFixtures = REPORT_FIXTURES;
const std::string kIdentity = "Twainlog_20260105_093010_0120.txt";
const std::string kNotALog = "Twainlog_20260105_093011_0000.txt";
const std::string kSession = "Twainlog_20260105_093012_0457.txt";
const std::string kStopped = "Twainlog_20260105_101500_1000.txt";
// A name that carries no load time, with markup and a terminal escape in it.
const std::string kOddName = "Twainlog_\x1b[31m<b>&\"x'.txt";

// How the tool ended, what it printed, and its errors.
struct Printed : CommandResult {
  std::string err;
};

// Rows 1 to 5 in load order, two "logs" that cannot be read, and a file that is no log at all.
class LogFolder : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    // Written out of load order: the order must come from the names.
    fs::copy_file(kFixtures + "/" + kStopped, folder_ / kStopped);
    fs::copy_file(kFixtures + "/" + kSession, folder_ / kOddName);
    fs::copy_file(kFixtures + "/" + kSession, folder_ / kSession);
    std::ofstream(folder_ / kIdentity, std::ios::binary) << report_test::IdentityOnlyLog();
    std::ofstream(folder_ / kNotALog) << "Dear support,\nthe scanner does not scan.\n";
    std::ofstream(folder_ / "notes.txt") << "not named as a log\n";
    fs::create_directory(folder_ / "Twainlog_20260105_120000_0000.txt");
    fs::create_symlink(folder_ / "gone.txt", folder_ / "Twainlog_20260105_130000_0000.txt");
  }

  // twaintrace-report as a user runs it, with `arguments` as the shell reads them.
  static Printed Run(const std::string& arguments) {
    const std::string errors = Output("stderr");
    return {RunCommand(REPORT_TOOL " " + arguments + " 2>" + errors), ReadFile(errors)};
  }
  // Ended with `status`, its errors saying `said`.
  static void ExpectEnded(const std::string& arguments, int status, const std::string& said = "") {
    const Printed run = Run(arguments);
    EXPECT_EQ(run.status, status) << arguments;
    EXPECT_TRUE(Contains(run.err, said)) << arguments << "\n" << run.err;
  }

  static std::string Output(const std::string& name) {
    return std::string(REPORT_OUTPUT) + "/" + name;
  }
  std::string Folder() const { return folder_.string(); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  fs::path folder_ = fs::path(REPORT_OUTPUT) / "folder";
};

TEST_F(LogFolder, IndexesEveryLogInLoadOrderAndReportsTheSessionsInFull) {
  const Printed run = Run(Folder());
  ASSERT_EQ(run.status, 0);
  // The index, up to the first full report, with the folder's path written as FOLDER.
  std::string index = run.output.substr(0, run.output.find("=== Log 3 of 5 ==="));
  for (size_t at; (at = index.find(Folder())) != std::string::npos;) {
    index.replace(at, Folder().size(), "FOLDER");
  }
  EXPECT_EQ(index, ReadFile(REPORT_EXPECTED "/log_folder_index.txt"));
  // Each log's report is the one it gets on its own, after the line naming its row.
  EXPECT_TRUE(Contains(
      run.output, "=== Log 3 of 5 ===\n\n" + TextOf(ReportOf(Path(kSession))) + "\n=== Log 4"));
  EXPECT_FALSE(Contains(run.output, "\x1b"));

  EXPECT_TRUE(Contains(run.err, "Twainlog_20260105_120000_0000.txt: is a directory\n")) << run.err;
  EXPECT_TRUE(Contains(run.err, "Twainlog_20260105_130000_0000.txt: No such file or directory\n"));
  EXPECT_FALSE(Contains(run.err, "notes.txt"));
}

TEST_F(LogFolder, OnlyReportsTheRowsNamedAndRefusesOtherNumbersAndWrongUse) {
  // The same log named again, through its folder and as a file, is one row.
  const Printed run = Run("--only 1,4 " + Folder() + " " + Quoted(Path(kSession)) + " " + Folder());
  ASSERT_EQ(run.status, 0);
  for (const char* shown : {"TwainTrace log index: 5 logs", "the logs chosen with --only: 1, 4.",
                            "=== Log 4 of 5 ==="}) {
    EXPECT_TRUE(Contains(run.output, shown)) << shown;
  }
  EXPECT_TRUE(Contains(run.output, "=== Log 1 of 5 ===\n\n" + TextOf(ReportOf(Path(kIdentity)))));
  EXPECT_FALSE(Contains(run.output, "=== Log 3 of 5 ==="));

  // Wrong use, of --only above all, is refused with the usage.
  for (const std::string wrong :
       {"--verbose", "--html", "--only 1 --only 2", "--only 0", "--only 1,,2", "--only x",
        "--only -1", "--only 1-3", "--only ''", "--only 99999999999999999999"}) {
    ExpectEnded(wrong + " " + Folder(), 2, "usage: twaintrace-report");
  }
  ExpectEnded("--only 99999999999999999999 " + Folder(), 2, "row numbers, counted from 1");
  ExpectEnded("--only 6 " + Folder(), 2, "--only 6: there are 5 logs");
  ExpectEnded(Folder() + " --only", 2);
  ExpectEnded("", 2);
}

// A log named alone is reported alone, its page beside it; the run fails only when nothing can
// be read.
TEST_F(LogFolder, ReportsOneLogAsAlwaysAndFailsOnlyWhenNothingCanBeRead) {
  std::remove(Output("report.html").c_str());
  const Printed one = Run("--html " + Output("report.html") + " " + Path(kSession));
  ASSERT_EQ(one.status, 0);
  EXPECT_EQ(one.output, TextOf(ReportOf(Path(kSession))));
  EXPECT_EQ(one.err, "");
  EXPECT_EQ(ReadFile(Output("report.html")), HtmlOf(ReportOf(Path(kSession))));

  fs::path empty = fs::path(REPORT_OUTPUT) / "empty";
  fs::remove_all(empty);
  fs::create_directories(empty);
  ExpectEnded(empty.string(), 1, "empty: no Twainlog_*.txt in this folder\n");
  ExpectEnded(Path("Twainlog_20260105_120000_0000.txt") + " " + empty.string(), 1);
  ExpectEnded(Path("no-such-log.txt"), 1, "no-such-log.txt");
  ExpectEnded("--html " + Path("no-such-dir/r.html") + " " + Path(kSession), 1);

  // One readable log, a damaged one, among unreadable ones: its report alone, as for one file.
  const Printed damaged =
      Run(Path("Twainlog_20260105_130000_0000.txt") + " " + Path(kStopped) + " " + empty.string());
  EXPECT_EQ(damaged.status, 0);
  EXPECT_EQ(damaged.output, TextOf(ReportOf(Path(kStopped))));
  ExpectEnded("--only 2 " + Path(kStopped), 2);
  ExpectEnded("--only 1 " + Path(kStopped), 0);

  const Printed help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(Contains(help.output, "usage:"));
}

TEST_F(LogFolder, PageLinksEveryRowReportedToItsSectionAndEscapesFileNames) {
  ASSERT_EQ(Run("--html " + Output("folder.html") + " " + Folder()).status, 0);
  std::string html = ReadFile(Output("folder.html"));
  std::set<std::string> ids;
  std::regex id("\\bid=\"([^\"]*)\"");
  for (std::sregex_iterator it(html.begin(), html.end(), id), end; it != end; ++it) {
    EXPECT_TRUE(ids.insert((*it)[1]).second) << "id used twice: " << (*it)[1];
    EXPECT_TRUE(std::regex_match((*it)[1].str(), std::regex("[A-Za-z][-A-Za-z0-9]*"))) << (*it)[1];
  }
  std::regex link("href=\"#([^\"]*)\"");
  size_t links = 0;
  for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it, ++links) {
    EXPECT_EQ(ids.count((*it)[1]), 1u) << "no target for #" << (*it)[1];
  }
  EXPECT_GT(links, 20u);
  // The rows of the sessions lead to their sections, the others have none; the odd name is
  // shown escaped.
  for (const char* shown :
       {"<td class=\"right\"><a href=\"#log3\">3</a></td>",
        "<td class=\"right\"><a href=\"#log5\">5</a></td>", "<td class=\"right\">1</td>",
        "<a href=\"#log5\">Twainlog_\\x1b[31m&lt;b&gt;&amp;&quot;x&#39;.txt</a>",
        "/folder/Twainlog_\\x1b[31m&lt;b&gt;&amp;&quot;x&#39;.txt</p>"}) {
    EXPECT_TRUE(Contains(html, shown)) << shown;
  }
  EXPECT_EQ(ids.count("log1") + ids.count("log2"), 0u);
  EXPECT_EQ(ids.count("log4") + ids.count("log4-overview") + ids.count("log4-t6"), 3u);
  EXPECT_FALSE(Contains(html, "<b>"));
  EXPECT_FALSE(Contains(html, "\x1b"));
}

// 999.5 ms and more were rounded up to 1000: the next second, and here the next year. Names
// without a load time come last.
TEST(LogFiles, OrdersByTheLoadTimeInTheNamesWhateverTheFolder) {
  std::vector<std::string> paths = {"a/renamed.txt", "a/Twainlog_20260101_000000_0000.txt",
                                    "z/Twainlog_20251231_235959_1000.txt"};
  report::SortInLoadOrder(&paths);
  EXPECT_EQ(paths,
            (std::vector<std::string>{"z/Twainlog_20251231_235959_1000.txt",
                                      "a/Twainlog_20260101_000000_0000.txt", "a/renamed.txt"}));
}

}  // namespace
