#include "report/html_report.h"

#include <algorithm>
#include <string>

#include "log_reader/text_helpers.h"
#include "report/html_escape.h"
#include "report/report_wording.h"
#include "report/state_timeline.h"

namespace report {

namespace {

// Long lists stop here; the count says how many were left out.
constexpr size_t kListedLines = 50;
constexpr size_t kLineExcerpt = 100;

constexpr char kStyle[] = R"(
body{font:14px/1.4 system-ui,sans-serif;margin:1.5em auto;max-width:1100px;color:#222;padding:0 1em}
h1{font-size:1.5em;margin-bottom:0}h2{font-size:1.15em;margin-top:1.6em;border-bottom:1px solid #ccc}
p.file{color:#555;margin-top:.2em;font-family:monospace}
table{border-collapse:collapse;width:100%}th,td{text-align:left;vertical-align:top;padding:3px 8px}
tbody tr:nth-child(odd),table.overview tr:nth-child(odd){background:#f4f6f8}
table.overview th{width:13em}
td.value,td.call{font-family:monospace;font-size:12.5px}
.failed,.bad{color:#b00020}a{color:#0b57d0;text-decoration:none}
svg.timeline{width:100%;height:auto;background:#fbfcfd;border:1px solid #dde}
svg .grid{stroke:#e2e6ea;stroke-width:1}svg .axis{font-size:11px;fill:#555}
svg .state-line{fill:none;stroke:#5b8def;stroke-width:1.5}svg .state{fill:#1a56c4}
svg .failure{stroke:#d0021b;stroke-width:2}
details.triplet{border-bottom:1px solid #eee}details.triplet summary{cursor:pointer;padding:2px 4px;
font-family:monospace;font-size:12.5px;white-space:pre}
details.triplet.failed summary{background:#fdecee}details.triplet pre{margin:0 0 .5em 1.5em;
font-size:12px;background:#f7f7f7;padding:.5em;overflow-x:auto}
div.message,div.unknown{font-family:monospace;font-size:12.5px;padding:2px 4px;white-space:pre-wrap}
div.message{color:#6a4c00;background:#fff8e1}div.unknown{color:#b00020;background:#fff0f0}
span.problem{color:#b00020}
)";

std::string Anchor(const log_reader::Triplet& triplet, const std::string& ids) {
  return "<a href=\"#" + ids + "t" + std::to_string(triplet.ordinal) + "\">#" +
         EscapeHtml(log_reader::SequenceText(triplet)) + "</a>";
}

void OverviewRow(std::ostream& out, const char* label, const std::string& value, bool bad = false) {
  out << "<tr><th>" << label << "</th><td" << (bad ? " class=\"bad\"" : "") << ">"
      << EscapeHtml(value) << "</td></tr>\n";
}

void WriteOverview(const Report& report, const std::string& ids, std::ostream& out) {
  const Overview& o = report.overview;
  out << "<section id=\"" << ids << "overview\"><h2>Overview</h2>\n<table class=\"overview\">\n";
  OverviewRow(out, "Loaded", o.loadTime ? *o.loadTime : "unknown (not a Twainlog_ file name)");
  if (!o.dataSource.empty()) OverviewRow(out, "Data source", std::string(o.dataSource));
  OverviewRow(out, "Triplets", TripletCountText(o));
  OverviewRow(out, "Running numbers", RunningNumbersText(o), o.sequenceGaps > 0);
  OverviewRow(out, "Failures", std::to_string(o.failures), o.failures > 0);
  OverviewRow(out, "Highest TWAIN state", StateText(o.highestState));
  OverviewRow(out, "Closed cleanly", ClosedText(report), !o.closedCleanly);
  OverviewRow(out, "Logger messages", MessageCountText(o));
  OverviewRow(out, "Cut entries", std::to_string(o.cutEntries), o.cutEntries > 0);
  if (o.incompleteEntries > 0) {
    OverviewRow(out, "Incomplete entries", std::to_string(o.incompleteEntries), true);
  }
  OverviewRow(out, "Unrecognized lines", std::to_string(o.unrecognizedLines),
              o.unrecognizedLines > 0);
  OverviewRow(out, "Log end", LogEndText(report), o.unfinishedLast.has_value());
  out << "</table></section>\n";
}

void WriteTimeline(const Report& report, const std::string& ids, std::ostream& out) {
  out << "<section id=\"" << ids << "timeline\"><h2>TWAIN state</h2>\n"
      << StateTimelineSvg(report, ids)
      << "<p>One point per state line; a red cross marks a failure at the state it left "
         "unchanged. Points open their entry below.</p></section>\n";
}

void WriteFailures(const Report& report, const std::string& ids, std::ostream& out) {
  out << "<section id=\"" << ids << "failures\"><h2>Failures (" << report.failures.size()
      << ")</h2>\n";
  if (report.failures.empty()) {
    out << "<p>None.</p></section>\n";
    return;
  }
  out << "<table><thead><tr><th>#</th><th>Triplet</th><th>Capability</th>"
         "<th>Condition code</th></tr></thead><tbody>\n";
  for (const Failure& failure : report.failures) {
    const log_reader::Triplet& triplet = report.triplets[failure.triplet];
    out << "<tr><td>" << Anchor(triplet, ids) << "</td><td>"
        << EscapeHtml(log_reader::TripletText(triplet)) << "</td><td>"
        << EscapeHtml(triplet.capability) << "</td><td>";
    if (failure.status) {
      out << EscapeHtml(failure.conditionCode) << " (DAT_STATUS "
          << Anchor(report.triplets[*failure.status], ids) << ")";
    } else {
      out << "no DAT_STATUS followed";
    }
    out << "</td></tr>\n";
  }
  out << "</tbody></table></section>\n";
}

void WriteCapabilities(const Report& report, const std::string& ids, std::ostream& out) {
  out << "<section id=\"" << ids << "capabilities\"><h2>Capability negotiation ("
      << report.capabilities.size() << ")</h2>\n";
  if (report.capabilities.empty()) {
    out << "<p>None.</p></section>\n";
    return;
  }
  out << "<table><thead><tr><th>Capability</th>";
  for (size_t i = 0; i < kCapabilityOperations; ++i) {
    out << "<th>" << OperationName(static_cast<CapabilityOperation>(i)) << "</th>";
  }
  out << "</tr></thead><tbody>\n";
  for (const CapabilityNegotiation& negotiation : report.capabilities) {
    out << "<tr><td>" << EscapeHtml(negotiation.capability) << "</td>";
    for (size_t i = 0; i < kCapabilityOperations; ++i) {
      const CapabilityOutcome& outcome = negotiation.outcomes[i];
      bool failed = outcome.last && report.triplets[outcome.last->triplet].Failed();
      out << "<td class=\"call" << (failed ? " failed" : "") << "\">"
          << EscapeHtml(CapabilityCallText(report, outcome)) << "</td>";
    }
    out << "</tr>\n";
  }
  out << "</tbody></table></section>\n";
}

void WritePages(const Report& report, const std::string& ids, std::ostream& out) {
  out << "<section id=\"" << ids << "images\"><h2>Image transfers (" << report.pages.size()
      << ")</h2>\n";
  if (report.pages.empty()) {
    out << "<p>None.</p></section>\n";
    return;
  }
  out << "<table><thead><tr><th>Page</th><th>Triplets</th><th>Image</th><th>Transfer</th>"
         "<th>End</th></tr></thead><tbody>\n";
  for (const ImagePage& page : report.pages) {
    out << "<tr><td>" << page.number << "</td><td>"
        << Anchor(report.triplets[page.firstTriplet], ids) << " to "
        << Anchor(report.triplets[page.lastTriplet], ids) << "</td><td class=\"value\">"
        << EscapeHtml(ImageInfoText(page)) << "</td><td class=\"value\">"
        << EscapeHtml(TransferText(page)) << "</td><td>" << EscapeHtml(PageEndText(page))
        << "</td></tr>\n";
  }
  out << "</tbody></table></section>\n";
}

void WriteUnrecognized(const Report& report, const std::string& ids, std::ostream& out) {
  if (report.unrecognized.empty()) return;
  out << "<section id=\"" << ids << "unrecognized\"><h2>Unrecognized lines ("
      << report.unrecognized.size() << ")</h2>\n<table><tbody>\n";
  size_t listed = std::min(report.unrecognized.size(), kListedLines);
  for (size_t i = 0; i < listed; ++i) {
    const log_reader::LogLine& line = report.unrecognized[i];
    out << "<tr><td>line " << line.number << "</td><td class=\"value\">"
        << EscapeHtml(log_reader::Shorten(line.text, kLineExcerpt)) << "</td></tr>\n";
  }
  if (listed < report.unrecognized.size()) {
    out << "<tr><td></td><td>" << report.unrecognized.size() - listed << " more</td></tr>\n";
  }
  out << "</tbody></table></section>\n";
}

void WriteEntry(const Report& report, const log_reader::Triplet& triplet, const std::string& ids,
                std::ostream& out) {
  std::string problems = EntryProblems(report, triplet);
  std::string state = triplet.state ? "state " + std::to_string(*triplet.state) : "";
  out << "<details class=\"triplet" << (triplet.Failed() ? " failed" : "") << "\" id=\"" << ids
      << "t" << triplet.ordinal << "\"><summary>#" << EscapeHtml(log_reader::SequenceText(triplet))
      << "  " << EscapeHtml(log_reader::TripletText(triplet));
  if (triplet.hasCapability) out << " (" << EscapeHtml(triplet.capability) << ")";
  out << "  " << EscapeHtml(triplet.returnCode) << "  " << state;
  if (!problems.empty()) out << "  <span class=\"problem\">" << EscapeHtml(problems) << "</span>";
  out << "</summary><pre>" << EscapeHtml(triplet.raw) << "</pre></details>\n";
}

void WriteLog(const Report& report, const std::string& ids, std::ostream& out) {
  out << "<section id=\"" << ids
      << "log\"><h2>Log</h2>\n<p>Every entry in log order; open a row for the "
         "entry as the log holds it. Logger messages and unrecognized lines stand between.</p>\n";
  size_t triplet = 0;
  for (const log_reader::LogItem& item : report.items) {
    if (std::holds_alternative<log_reader::RawEntry>(item)) {
      WriteEntry(report, report.triplets[triplet++], ids, out);
    } else if (const log_reader::LoggerMessage* message =
                   std::get_if<log_reader::LoggerMessage>(&item)) {
      out << "<div class=\"message\">line " << message->firstLine << ": "
          << EscapeHtml(log_reader::TrimLineEnds(message->raw)) << "</div>\n";
    } else {
      const log_reader::LogLine& line = std::get<log_reader::UnknownLine>(item).line;
      out << "<div class=\"unknown\">line " << line.number << ": " << EscapeHtml(line.text)
          << "</div>\n";
    }
  }
  out << "</section>\n";
}

}  // namespace

void WriteHtmlHead(const std::string& title, std::ostream& out, std::string_view extraStyle) {
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
      << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      << "<title>" << EscapeHtml(title) << "</title>\n<style>" << kStyle << extraStyle
      << "</style></head>\n<body>\n";
}

void WriteHtmlSections(const Report& report, const std::string& ids, std::ostream& out) {
  WriteOverview(report, ids, out);
  WriteTimeline(report, ids, out);
  WriteFailures(report, ids, out);
  WriteCapabilities(report, ids, out);
  WritePages(report, ids, out);
  WriteUnrecognized(report, ids, out);
  WriteLog(report, ids, out);
}

void WriteHtmlReport(const Report& report, std::ostream& out) {
  WriteHtmlHead("TwainTrace report: " + report.overview.fileName, out);
  out << "<h1>TwainTrace log report</h1>\n<p class=\"file\">"
      << EscapeHtml(report.overview.fileName) << "</p>\n";
  WriteHtmlSections(report, "", out);
  out << "</body></html>\n";
}

}  // namespace report
