// twaintrace-report: reads TwainTrace logs and prints what a support engineer asks first; of a
// whole log folder, an index that makes the session's log stand out, then the reports.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
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
  std::optional<report::Report> report(std::in_place);
  if (!report::ReadReport(path, &*report, error)) return std::nullopt;
  return report;
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

// The reports of the logs shown in full, written while the index is made and copied out
// after it: each log is read once, and no more than one log's report is held at a time.
struct LogSetPass {
  report::LogSetIndex index;
  std::FILE* text = std::tmpfile();
  std::FILE* html = std::tmpfile();
  std::optional<report::Report> first;  // kept while it may be the only log read
  ~LogSetPass() {
    if (text) std::fclose(text);
    if (html) std::fclose(html);
  }
};

bool IsChosen(const std::vector<size_t>& only, size_t number, report::LogContent content) {
  if (only.empty()) return content == report::LogContent::kSession;
  return std::find(only.begin(), only.end(), number) != only.end();
}

void Append(std::FILE* file, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), file);
}

// Row numbers follow the load order of the logs read; a section says "of M" once M is known.
void IndexLogs(const std::vector<std::string>& paths, const std::vector<size_t>& only, bool html,
               LogSetPass* pass) {
  for (const std::string& path : paths) {
    std::string error;
    std::optional<report::Report> log = ReadReport(path, &error);
    if (!log) {
      Complain(error);
      pass->index.notRead.push_back(error);
      continue;
    }
    size_t number = pass->index.rows.size() + 1;
    pass->index.rows.push_back(report::IndexRowOf(*log, number));
    if (IsChosen(only, number, pass->index.rows.back().content)) {
      pass->index.shown.push_back(number);
      std::ostringstream text;
      report::WriteTextReport(*log, text);
      Append(pass->text, std::to_string(number) + " " + std::to_string(text.str().size()) + "\n");
      Append(pass->text, text.str());
      if (html) {
        std::ostringstream page;
        report::WriteHtmlLogSection(*log, number, page);
        Append(pass->html, page.str());
      }
    }
    if (number == 1) {
      pass->first = std::move(log);
    } else {
      pass->first.reset();
    }
  }
}

// Copies the sections written during the pass, each under the line that names its row.
void CopySections(LogSetPass* pass, size_t logs, HtmlPage* html) {
  std::rewind(pass->text);
  size_t number = 0;
  size_t length = 0;
  while (std::fscanf(pass->text, "%zu %zu", &number, &length) == 2 &&
         std::fgetc(pass->text) == '\n') {
    std::cout << "\n=== Log " << number << " of " << logs << " ===\n\n";
    std::vector<char> bytes(length);
    size_t got = std::fread(bytes.data(), 1, length, pass->text);
    std::cout.write(bytes.data(), static_cast<std::streamsize>(got));
  }
  if (!html->Wanted()) return;
  std::rewind(pass->html);
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof(chunk), pass->html)) > 0) {
    html->Out().write(chunk, static_cast<std::streamsize>(got));
  }
  report::WriteHtmlPageEnd(html->Out());
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
  LogSetPass pass;
  if (!pass.text || !pass.html) {
    Complain("cannot make a temporary file: " + std::string(strerror(errno)));
    return kFileError;
  }
  IndexLogs(files.paths, commandLine.only, !commandLine.html.empty(), &pass);
  report::LogSetIndex& index = pass.index;
  if (index.rows.empty()) return kFileError;
  if (!IsValidChoice(commandLine.only, index.rows.size())) return kUsageError;
  HtmlPage html(commandLine.html);
  if (index.rows.size() == 1) return ReportOneLog(*pass.first, &html);
  index.chosen = !commandLine.only.empty();
  report::WriteTextIndex(index, std::cout);
  if (html.Wanted()) report::WriteHtmlIndexPage(index, html.Out());
  CopySections(&pass, index.rows.size(), &html);
  return html.Finish() ? 0 : kFileError;
}
