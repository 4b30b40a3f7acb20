#include "report/html_report.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>

#include "log_reader/log_reader.h"
#include "log_reader/text_helpers.h"
#include "report/html_escape.h"
#include "report/report_wording.h"
#include "report/state_timeline.h"

namespace report {

namespace {

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
div.run,div.entry{font-family:monospace;font-size:12.5px;padding:2px 4px;background:#eef3fb}
span.where{color:#777}
div.message{color:#6a4c00;background:#fff8e1}div.unknown{color:#b00020;background:#fff0f0}
span.problem{color:#b00020}
)";

std::string Anchor(const EntryMark& mark, const std::string& ids) {
  return "<a href=\"#" + ids + "t" + std::to_string(mark.ordinal) + "\">#" +
         EscapeHtml(SequenceText(mark)) + "</a>";
}

void OverviewRow(std::ostream& out, const char* label, const std::string& value, bool bad = false) {
  out << "<tr><th>" << label << "</th><td" << (bad ? " class=\"bad\"" : "") << ">"
      << EscapeHtml(value) << "</td></tr>\n";
}

void WriteOverview(const Report& report, const std::string& ids, std::ostream& out) {
  const Overview& o = report.overview;
  out << "<section id=\"" << ids << "overview\"><h2>Overview</h2>\n<table class=\"overview\">\n";
  OverviewRow(out, "Loaded", o.loadTime ? *o.loadTime : "unknown (not a Twainlog_ file name)");
  if (!o.dataSource.empty()) OverviewRow(out, "Data source", o.dataSource);
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
      << StateTimelineSvg(report, ids) << "<p>The state over the calls, drawn in at most "
      << StateChart::kBuckets
      << " stretches: a bar shows the states a stretch went through, a red cross its failures "
         "(which open the first of them).</p></section>\n";
}

void WriteFailures(const Report& report, const std::string& ids, std::ostream& out) {
  out << "<section id=\"" << ids << "failures\"><h2>Failures (" << report.overview.failures
      << ")</h2>\n";
  if (report.failures.empty()) {
    out << "<p>None.</p></section>\n";
    return;
  }
  out << "<table><thead><tr><th>#</th><th>Triplet</th><th>Capability</th>"
         "<th>Condition code</th></tr></thead><tbody>\n";
  for (const Failure& failure : report.failures) {
    out << "<tr><td>" << Anchor(failure.triplet, ids) << "</td><td>"
        << EscapeHtml(failure.tripletText) << "</td><td>" << EscapeHtml(failure.capability)
        << "</td><td>";
    if (failure.status) {
      out << EscapeHtml(failure.conditionCode) << " (DAT_STATUS " << Anchor(*failure.status, ids)
          << ")";
    } else {
      out << "no DAT_STATUS followed";
    }
    out << "</td></tr>\n";
  }
  if (report.failures.size() < report.overview.failures) {
    out << "<tr><td></td><td colspan=\"3\">" << report.overview.failures - report.failures.size()
        << " more</td></tr>\n";
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
      bool failed = outcome.last && outcome.last->failed;
      out << "<td class=\"call" << (failed ? " failed" : "") << "\">";
      out << EscapeHtml(CapabilityCallText(outcome)) << "</td>";
    }
    out << "</tr>\n";
  }
  out << "</tbody></table></section>\n";
}

void WritePages(const Report& report, const std::string& ids, std::ostream& out) {
  out << "<section id=\"" << ids << "images\"><h2>Image transfers (" << report.pageCount
      << ")</h2>\n";
  if (report.pages.empty()) {
    out << "<p>None.</p></section>\n";
    return;
  }
  out << "<table><thead><tr><th>Page</th><th>Triplets</th><th>Image</th><th>Transfer</th>"
         "<th>End</th></tr></thead><tbody>\n";
  for (const ImagePage& page : report.pages) {
    out << "<tr><td>" << page.number << "</td><td>" << Anchor(page.firstTriplet, ids) << " to "
        << Anchor(page.lastTriplet, ids) << "</td><td class=\"value\">"
        << EscapeHtml(ImageInfoText(page)) << "</td><td class=\"value\">"
        << EscapeHtml(TransferText(page)) << "</td><td>" << EscapeHtml(PageEndText(page))
        << "</td></tr>\n";
  }
  if (report.pages.size() < report.pageCount) {
    out << "<tr><td></td><td colspan=\"4\">" << report.pageCount - report.pages.size()
        << " more</td></tr>\n";
  }
  out << "</tbody></table></section>\n";
}

void WriteMessages(const Report& report, const std::string& ids, std::ostream& out) {
  size_t count = report.overview.loggerMessages;
  if (count == 0) return;
  out << "<section id=\"" << ids << "messages\"><h2>Logger messages (" << count << ")</h2>\n";
  for (const KeptMessage& message : report.messages) {
    out << "<div class=\"message\">line " << message.firstLine << ": " << EscapeHtml(message.raw)
        << "</div>\n";
  }
  if (report.messages.size() < count) {
    out << "<p>" << count - report.messages.size() << " more</p>\n";
  }
  out << "</section>\n";
}

void WriteUnrecognized(const Report& report, const std::string& ids, std::ostream& out) {
  size_t count = report.overview.unrecognizedLines;
  if (count == 0) return;
  out << "<section id=\"" << ids << "unrecognized\"><h2>Unrecognized lines (" << count
      << ")</h2>\n<table><tbody>\n";
  for (const KeptLine& line : report.unrecognized) {
    out << "<tr><td>line " << line.number << "</td><td class=\"value\">" << EscapeHtml(line.text)
        << (line.overLong ? " (over-long line, skipped)" : "") << "</td></tr>\n";
  }
  if (report.unrecognized.size() < count) {
    out << "<tr><td></td><td>" << count - report.unrecognized.size() << " more</td></tr>\n";
  }
  out << "</tbody></table></section>\n";
}

// Writes the entries the page shows, each read again from the log by its offset: the report
// keeps where they are, not their text. The page holds at most kPageEntryBytes of log text;
// past that an entry says where it stands in the file.
class EntryWriter {
 public:
  static constexpr size_t kPageEntryBytes = 3 << 20;

  EntryWriter(const Report& report, const std::string& ids, std::ostream& out)
      : report_(report), ids_(ids), out_(out), linked_(LinkedEntries(report)) {
    if (!report.path.empty()) fd_ = open(report.path.c_str(), O_RDONLY | O_CLOEXEC);
  }
  ~EntryWriter() {
    if (fd_ >= 0) close(fd_);
  }
  EntryWriter(const EntryWriter&) = delete;
  EntryWriter& operator=(const EntryWriter&) = delete;

  void Single(const CallRow& row) { Entry(row.first, CallRowText(row)); }

  // A run in one line, with the entries the page links to inside it.
  void Run(const CallRow& row) {
    out_ << "<div class=\"run\" id=\"" << ids_ << "t" << row.first.ordinal << "\">"
         << EscapeHtml(CallRowText(row)) << " <span class=\"where\">(from " << WhereText(row.first)
         << ")</span></div>\n";
    Linked(row.first.ordinal + 1, row.last.ordinal);
  }

  void LeftOut(const LeftOutCalls& left) {
    out_ << "<div class=\"run\">" << Thousands(left.calls) << " calls in " << Thousands(left.rows)
         << " rows, #" << EscapeHtml(SequenceText(left.first)) << " (" << WhereText(left.first)
         << ") to #" << EscapeHtml(SequenceText(left.last)) << " (" << WhereText(left.last)
         << "), not listed: the log holds them there</div>\n";
    Linked(left.first.ordinal, left.last.ordinal);
  }

 private:
  static std::map<size_t, EntryMark> LinkedEntries(const Report& report) {
    std::map<size_t, EntryMark> linked;
    auto add = [&linked](const EntryMark& mark) { linked.emplace(mark.ordinal, mark); };
    for (const Failure& failure : report.failures) {
      add(failure.triplet);
      if (failure.status) add(*failure.status);
    }
    for (const CapabilityNegotiation& negotiation : report.capabilities) {
      for (const CapabilityOutcome& outcome : negotiation.outcomes) {
        if (outcome.last) add(outcome.last->triplet);
        if (outcome.lastAnswered) add(outcome.lastAnswered->triplet);
      }
    }
    for (const ImagePage& page : report.pages) {
      add(page.firstTriplet);
      add(page.lastTriplet);
    }
    for (const StateBucket& bucket : report.chart.Buckets()) {
      if (bucket.failures > 0) add(bucket.firstFailure);
    }
    return linked;
  }

  void Linked(size_t from, size_t to) {
    for (auto it = linked_.lower_bound(from); it != linked_.end() && it->first <= to; ++it) {
      Entry(it->second, "#" + SequenceText(it->second));
    }
  }

  void Entry(const EntryMark& mark, const std::string& label) {
    std::string raw = Read(mark);
    if (raw.empty()) {
      out_ << "<div class=\"entry\" id=\"" << ids_ << "t" << mark.ordinal << "\">"
           << EscapeHtml(label) << " <span class=\"where\">(" << WhereText(mark)
           << ")</span></div>\n";
      return;
    }
    log_reader::LogReader reader(raw);
    const log_reader::LogItem* item = reader.Next();
    const auto* entry = item ? std::get_if<log_reader::RawEntry>(item) : nullptr;
    log_reader::Triplet triplet;
    if (entry != nullptr) log_reader::ParseTriplet(*entry, mark.ordinal, &triplet);
    std::string problems = entry != nullptr ? EntryProblems(report_, triplet) : "";
    out_ << "<details class=\"triplet" << (triplet.Failed() ? " failed" : "") << "\" id=\"" << ids_
         << "t" << mark.ordinal << "\"><summary>" << EscapeHtml(label);
    if (triplet.state) out_ << "  state " << *triplet.state;
    if (!problems.empty()) {
      out_ << "  <span class=\"problem\">" << EscapeHtml(problems) << "</span>";
    }
    out_ << "</summary><pre>" << EscapeHtml(raw) << "</pre></details>\n";
  }

  // The entry's bytes as the log holds them; empty past the page's budget or when the file
  // no longer holds them.
  std::string Read(const EntryMark& mark) {
    if (fd_ < 0 || mark.length > kPageEntryBytes - std::min(shown_, kPageEntryBytes)) return {};
    std::string raw(mark.length, '\0');
    ssize_t got = pread(fd_, raw.data(), raw.size(), static_cast<off_t>(mark.offset));
    if (got != static_cast<ssize_t>(raw.size())) return {};
    shown_ += raw.size();
    return raw;
  }

  const Report& report_;
  const std::string& ids_;
  std::ostream& out_;
  std::map<size_t, EntryMark> linked_;
  int fd_ = -1;
  size_t shown_ = 0;
};

void WriteCalls(const Report& report, const std::string& ids, std::ostream& out) {
  const CallRuns& calls = report.calls;
  out << "<section id=\"" << ids << "log\"><h2>Calls (" << Thousands(report.overview.triplets)
      << ")</h2>\n<p>Every call in log order, runs of " << kFoldedRun
      << " or more alike calls in one row; open a row for the entry as the log holds it.</p>\n";
  EntryWriter writer(report, ids, out);
  auto row = [&writer](const CallRow& call) {
    if (call.Folded()) {
      writer.Run(call);
    } else {
      writer.Single(call);
    }
  };
  for (const CallRow& call : calls.Head()) row(call);
  if (calls.LeftOut().calls > 0) writer.LeftOut(calls.LeftOut());
  for (const CallRow& call : calls.Tail()) row(call);
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
  WriteMessages(report, ids, out);
  WriteUnrecognized(report, ids, out);
  WriteCalls(report, ids, out);
}

void WriteHtmlReport(const Report& report, std::ostream& out) {
  WriteHtmlHead("TwainTrace report: " + report.overview.fileName, out);
  out << "<h1>TwainTrace log report</h1>\n<p class=\"file\">"
      << EscapeHtml(report.overview.fileName) << "</p>\n";
  WriteHtmlSections(report, "", out);
  out << "</body></html>\n";
}

}  // namespace report
