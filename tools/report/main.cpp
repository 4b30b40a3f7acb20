// twaintrace-report: reads TwainTrace logs and prints what a support engineer asks first; of a
// whole log folder, an index that makes the session's log stand out, then the reports.
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "log_reader/text_helpers.h"
#include "report/command_line.h"
#include "report/html_log_set.h"
#include "report/html_report.h"
#include "report/log_files.h"
#include "report/log_index.h"
#include "report/plain_text_report.h"
#include "report/report_model.h"
#include "twaintrace_version.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFileError = 1;

void PrintUsage(std::ostream& out) {
  out << "usage: twaintrace-report [--html FILE] [--only N,M] LOG|FOLDER...\n"
         "Prints an overview, the failures, the capability negotiation and the image transfers\n"
         "of a TwainTrace log; with --html also writes them as one self-contained HTML page.\n"
         "A folder stands for every Twainlog_*.txt in it. Of several logs it first prints an\n"
         "index in load order, then the reports of the logs with more than identity requests,\n"
         "or of the index rows N,M (counted from 1) named with --only.\n";
}

void Complain(const std::string& problem) {
  std::cerr << "twaintrace-report: " << log_reader::Printable(problem) << "\n";
}

std::optional<report::Report> ReadReport(const std::string& path, std::string* error) {
  std::string content;
  if (!report::ReadLogFile(path, &content, error)) return std::nullopt;
  return report::BuildReport(path, std::move(content));
}

// The page is written as the reports are made; an output that failed says so at the end.
class HtmlPage {
 public:
  explicit HtmlPage(const std::string& path) : path_(path) {
    if (!path_.empty()) out_.open(path_, std::ios::binary | std::ios::trunc);
  }
  bool Wanted() const { return !path_.empty(); }
  std::ostream& Out() { return out_; }
  // False when the page was wanted and could not be written.
  bool Finish() {
    if (!Wanted()) return true;
    out_.close();
    if (out_) return true;
    Complain("cannot write " + path_);
    return false;
  }

 private:
  std::string path_;
  std::ofstream out_;
};

int ReportOneLog(const report::Report& report, HtmlPage* html) {
  report::WriteTextReport(report, std::cout);
  if (html->Wanted()) report::WriteHtmlReport(report, html->Out());
  return html->Finish() ? 0 : kFileError;
}

// The first reading makes the index and keeps no log: a folder may hold a great many.
report::LogSetIndex IndexLogs(const std::vector<std::string>& paths) {
  report::LogSetIndex index;
  for (const std::string& path : paths) {
    std::string error;
    std::optional<report::Report> log = ReadReport(path, &error);
    if (!log) {
      Complain(error);
      index.notRead.push_back(error);
      continue;
    }
    index.rows.push_back(report::IndexRowOf(*log, index.rows.size() + 1));
  }
  return index;
}

int ReportLogSet(report::LogSetIndex index, HtmlPage* html) {
  report::WriteTextIndex(index, std::cout);
  if (html->Wanted()) report::WriteHtmlIndexPage(index, html->Out());
  for (size_t number : index.shown) {
    const std::string& path = index.rows[number - 1].path;
    std::string error;
    std::optional<report::Report> log = ReadReport(path, &error);
    if (!log) {
      Complain(error);
      std::cout << "\n=== Log " << number << " of " << index.rows.size()
                << " ===\n\nCould not be read again: " << log_reader::Printable(error) << "\n";
      if (html->Wanted()) report::WriteHtmlUnreadSection(number, error, html->Out());
      continue;
    }
    report::WriteTextReportInSet(*log, number, index.rows.size(), std::cout);
    if (html->Wanted()) report::WriteHtmlLogSection(*log, number, html->Out());
  }
  if (html->Wanted()) report::WriteHtmlPageEnd(html->Out());
  return html->Finish() ? 0 : kFileError;
}

bool IsValidChoice(const std::vector<size_t>& only, size_t logs) {
  if (only.empty() || only.back() <= logs) return true;
  Complain("--only " + std::to_string(only.back()) + ": there " +
           (logs == 1 ? "is 1 log" : "are " + std::to_string(logs) + " logs"));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << "twaintrace-report " TWAINTRACE_VERSION "\n";
    return 0;
  }
  report::CommandLine commandLine;
  std::string error;
  if (!report::ParseCommandLine(argc, argv, &commandLine, &error)) {
    if (argc > 1) Complain(error);
    PrintUsage(std::cerr);
    return kUsageError;
  }
  if (commandLine.help) {
    PrintUsage(std::cout);
    return 0;
  }
  report::LogFiles files = report::FindLogFiles(commandLine.paths);
  for (const std::string& problem : files.problems) Complain(problem);
  // A single log is read once and reported as it always was.
  if (files.paths.size() == 1) {
    std::optional<report::Report> log = ReadReport(files.paths[0], &error);
    if (!log) Complain(error);
    if (!log) return kFileError;
    if (!IsValidChoice(commandLine.only, 1)) return kUsageError;
    HtmlPage html(commandLine.html);
    return ReportOneLog(*log, &html);
  }
  report::LogSetIndex index = IndexLogs(files.paths);
  if (index.rows.empty()) return kFileError;
  if (!IsValidChoice(commandLine.only, index.rows.size())) return kUsageError;
  HtmlPage html(commandLine.html);
  if (index.rows.size() == 1) {
    std::optional<report::Report> log = ReadReport(index.rows[0].path, &error);
    if (!log) Complain(error);
    return log ? ReportOneLog(*log, &html) : kFileError;
  }
  index.chosen = !commandLine.only.empty();
  index.shown = report::ShownRows(index.rows, commandLine.only);
  return ReportLogSet(std::move(index), &html);
}
