#include "report/html_log_set.h"

#include <algorithm>
#include <vector>

#include "report/html_escape.h"
#include "report/html_report.h"

namespace report {

namespace {

constexpr char kIndexStyle[] = R"(
table.index td{font-family:monospace;font-size:12.5px;white-space:nowrap}
table.index td:last-child{white-space:normal}
table.index td.right{text-align:right}table.index tr.minor td{color:#777}
p.back{margin-top:1em}article{border-top:3px solid #5b8def;margin-top:2.5em}
)";

bool IsShown(const LogSetIndex& index, size_t number) {
  return std::find(index.shown.begin(), index.shown.end(), number) != index.shown.end();
}

// Only what needs a look is red: failures, a session that did not close, an unsound log.
bool IsBadCell(const IndexRow& row, const std::string& heading) {
  return (heading == "Failures" && row.failed) ||
         (heading == "Closed cleanly" && !row.closedCleanly &&
          row.content == LogContent::kSession) ||
         (heading == "Sound" && !row.sound);
}

void WriteIndexRow(const LogSetIndex& index, const IndexRow& row, std::ostream& out) {
  const std::vector<IndexColumn>& columns = IndexColumns();
  bool linked = IsShown(index, row.number);
  out << "<tr" << (row.content == LogContent::kSession ? "" : " class=\"minor\"") << ">";
  for (size_t i = 0; i < columns.size(); ++i) {
    std::string heading = columns[i].heading;
    std::string classes = columns[i].alignRight ? "right" : "";
    if (IsBadCell(row, heading)) classes += classes.empty() ? "bad" : " bad";
    out << "<td" << (classes.empty() ? "" : " class=\"" + classes + "\"") << ">";
    bool link = linked && (heading == "#" || heading == "File");
    if (link) out << "<a href=\"#" << LogSectionId(row.number) << "\">";
    out << EscapeHtml(row.cells[i]) << (link ? "</a>" : "") << "</td>";
  }
  out << "</tr>\n";
}

void WriteArticleStart(size_t number, const std::string& path, std::ostream& out) {
  out << "<article id=\"" << LogSectionId(number) << "\"><h1>Log " << number << "</h1>\n"
      << "<p class=\"file\">" << EscapeHtml(path) << "</p>\n";
}

void WriteArticleEnd(std::ostream& out) {
  out << "<p class=\"back\"><a href=\"#index\">Back to the index</a></p></article>\n";
}

}  // namespace

std::string LogSectionId(size_t number) {
  return "log" + std::to_string(number);
}

void WriteHtmlIndexPage(const LogSetIndex& index, std::ostream& out) {
  WriteHtmlHead("TwainTrace report: " + std::to_string(index.rows.size()) + " logs", out,
                kIndexStyle);
  out << "<h1>TwainTrace log index</h1>\n<section id=\"index\"><p>" << index.rows.size()
      << " logs, in load order. " << EscapeHtml(ShownText(index))
      << "</p>\n<table class=\"index\"><thead><tr>";
  for (const IndexColumn& column : IndexColumns()) out << "<th>" << column.heading << "</th>";
  out << "</tr></thead><tbody>\n";
  for (const IndexRow& row : index.rows) WriteIndexRow(index, row, out);
  out << "</tbody></table>\n";
  if (!index.notRead.empty()) {
    out << "<h2>Not read (" << index.notRead.size() << ")</h2>\n<ul>\n";
    for (const std::string& problem : index.notRead) {
      out << "<li class=\"bad\">" << EscapeHtml(problem) << "</li>\n";
    }
    out << "</ul>\n";
  }
  out << "</section>\n";
}

void WriteHtmlLogSection(const Report& report, size_t number, std::ostream& out) {
  WriteArticleStart(number, report.overview.fileName, out);
  WriteHtmlSections(report, LogSectionId(number) + "-", out);
  WriteArticleEnd(out);
}

void WriteHtmlUnreadSection(size_t number, const std::string& problem, std::ostream& out) {
  out << "<article id=\"" << LogSectionId(number) << "\"><h1>Log " << number << "</h1>\n"
      << "<p class=\"bad\">Could not be read again: " << EscapeHtml(problem) << "</p>\n";
  WriteArticleEnd(out);
}

void WriteHtmlPageEnd(std::ostream& out) {
  out << "</body></html>\n";
}

}  // namespace report
