#include "report/plain_text_report.h"

#include <algorithm>
#include <string>

#include "log_reader/text_helpers.h"
#include "report/report_wording.h"

namespace report {

namespace {

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

void Row(std::ostream& out, const char* label, const std::string& value) {
  out << "  " << Padded(std::string(label) + ":", 22) << log_reader::Printable(value) << "\n";
}

void WriteOverview(const Report& report, std::ostream& out) {
  const Overview& o = report.overview;
  out << "Overview\n";
  Row(out, "Loaded", o.loadTime ? *o.loadTime : "unknown (not a Twainlog_ file name)");
  if (!o.dataSource.empty()) Row(out, "Data source", o.dataSource);
  Row(out, "Triplets", TripletCountText(o));
  Row(out, "Running numbers", RunningNumbersText(o));
  Row(out, "Failures", std::to_string(o.failures));
  Row(out, "Highest TWAIN state", StateText(o.highestState));
  Row(out, "Closed cleanly", ClosedText(report));
  Row(out, "Logger messages", MessageCountText(o));
  Row(out, "Cut entries", std::to_string(o.cutEntries));
  if (o.incompleteEntries > 0) Row(out, "Incomplete entries", std::to_string(o.incompleteEntries));
  Row(out, "Unrecognized lines", std::to_string(o.unrecognizedLines));
  Row(out, "Log end", LogEndText(report));
}

std::string FailureCause(const Failure& failure) {
  if (!failure.status) return "no DAT_STATUS followed";
  return failure.conditionCode + " (DAT_STATUS #" + SequenceText(*failure.status) + ")";
}

void WriteFailures(const Report& report, std::ostream& out) {
  out << "\nFailures (" << report.overview.failures << ")\n";
  size_t tripletWidth = 0;
  size_t capabilityWidth = 1;
  for (const Failure& failure : report.failures) {
    tripletWidth = std::max(tripletWidth, failure.tripletText.size());
    capabilityWidth = std::max(capabilityWidth, failure.capability.size());
  }
  for (const Failure& failure : report.failures) {
    std::string capability = failure.capability.empty() ? "-" : failure.capability;
    out << "  #" << SequenceText(failure.triplet) << "  "
        << log_reader::Printable(Padded(failure.tripletText, tripletWidth)) << "  "
        << log_reader::Printable(Padded(capability, capabilityWidth)) << "  "
        << log_reader::Printable(FailureCause(failure)) << "\n";
  }
  if (report.failures.size() < report.overview.failures) {
    out << "  ... " << report.overview.failures - report.failures.size() << " more\n";
  }
}

void WriteCapabilities(const Report& report, std::ostream& out) {
  out << "\nCapability negotiation ("
      << log_reader::Counted(report.capabilities.size(), "capability", "capabilities") << ")\n";
  for (const CapabilityNegotiation& negotiation : report.capabilities) {
    out << "  " << log_reader::Printable(negotiation.capability) << " ("
        << log_reader::Counted(negotiation.calls, "call", "calls") << ")\n";
    for (size_t i = 0; i < kCapabilityOperations; ++i) {
      auto operation = static_cast<CapabilityOperation>(i);
      out << "    " << Padded(std::string(OperationName(operation)) + ":", 13)
          << log_reader::Printable(CapabilityCallText(negotiation.Outcome(operation))) << "\n";
    }
  }
  if (report.capabilityCallsLeftOut > 0) {
    out << "  ... " << report.capabilityCallsLeftOut << " calls of further capabilities\n";
  }
}

void WritePages(const Report& report, std::ostream& out) {
  out << "\nImage transfers (" << log_reader::Counted(report.pageCount, "page", "pages") << ")\n";
  for (const ImagePage& page : report.pages) {
    out << "  Page " << page.number << ", " << PageTriplets(page) << "\n";
    out << "    image:     " << log_reader::Printable(ImageInfoText(page)) << "\n";
    out << "    transfer:  " << log_reader::Printable(TransferText(page)) << "\n";
    out << "    end:       " << log_reader::Printable(PageEndText(page)) << "\n";
  }
  if (report.pages.size() < report.pageCount) {
    out << "  ... " << report.pageCount - report.pages.size() << " more\n";
  }
}

// Only a log in which alike calls fold gets the section: in a short log every call stands in
// the sections above or is one of a few.
void WriteCalls(const Report& report, std::ostream& out) {
  const CallRuns& calls = report.calls;
  if (!calls.AnyFolded() && calls.LeftOut().calls == 0) return;
  out << "\nCalls (" << Thousands(report.overview.triplets) << " in " << Thousands(calls.Rows())
      << " rows; runs of " << kFoldedRun << " or more alike calls folded)\n";
  for (const CallRow& row : calls.Head())
    out << "  " << log_reader::Printable(CallRowText(row)) << "\n";
  const LeftOutCalls& left = calls.LeftOut();
  if (left.calls > 0) {
    out << "  ... " << Thousands(left.calls) << " calls in " << Thousands(left.rows) << " rows, #"
        << SequenceText(left.first) << " (" << WhereText(left.first) << ") to #"
        << SequenceText(left.last) << " (" << WhereText(left.last) << "), not listed\n";
  }
  for (const CallRow& row : calls.Tail())
    out << "  " << log_reader::Printable(CallRowText(row)) << "\n";
}

// A message text of several lines goes on indented below its first line.
void WriteIndentedLines(std::string_view text, std::ostream& out) {
  size_t start = 0;
  for (size_t feed = text.find('\n'); feed != std::string_view::npos;
       feed = text.find('\n', start)) {
    out << log_reader::Printable(text.substr(start, feed - start)) << "\n    ";
    start = feed + 1;
  }
  out << log_reader::Printable(text.substr(start)) << "\n";
}

void WriteMessages(const Report& report, std::ostream& out) {
  size_t count = report.overview.loggerMessages;
  if (count == 0) return;
  out << "\nLogger messages (" << count << ")\n";
  for (const KeptMessage& message : report.messages) {
    out << "  line " << message.firstLine << ": ";
    WriteIndentedLines(message.text, out);
  }
  if (report.messages.size() < count)
    out << "  ... " << count - report.messages.size() << " more\n";
}

void WriteUnrecognized(const Report& report, std::ostream& out) {
  size_t count = report.overview.unrecognizedLines;
  if (count == 0) return;
  out << "\nUnrecognized lines (" << count << ")\n";
  for (const KeptLine& line : report.unrecognized) {
    out << "  line " << line.number << ": " << log_reader::Printable(line.text)
        << (line.overLong ? " (over-long line, skipped)" : "") << "\n";
  }
  if (report.unrecognized.size() < count) {
    out << "  ... " << count - report.unrecognized.size() << " more\n";
  }
}

}  // namespace

void WriteTextReport(const Report& report, std::ostream& out) {
  out << "TwainTrace log report: " << log_reader::Printable(report.overview.fileName) << "\n\n";
  WriteOverview(report, out);
  WriteFailures(report, out);
  WriteCapabilities(report, out);
  WritePages(report, out);
  WriteCalls(report, out);
  WriteMessages(report, out);
  WriteUnrecognized(report, out);
}

void WriteTextIndex(const LogSetIndex& index, std::ostream& out) {
  const std::vector<IndexColumn>& columns = IndexColumns();
  std::vector<std::vector<std::string>> table(1);
  for (const IndexColumn& column : columns) table[0].push_back(column.heading);
  for (const IndexRow& row : index.rows) {
    table.emplace_back();
    for (const std::string& cell : row.cells) table.back().push_back(log_reader::Printable(cell));
  }
  std::vector<size_t> widths(columns.size(), 0);
  for (const std::vector<std::string>& line : table) {
    for (size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], line[i].size());
  }
  out << "TwainTrace log index: " << log_reader::Counted(index.rows.size(), "log", "logs")
      << ", in load order\n\n";
  for (const std::vector<std::string>& line : table) {
    std::string text;
    for (size_t i = 0; i < line.size(); ++i) {
      std::string padding(widths[i] - line[i].size(), ' ');
      text += "  " + (columns[i].alignRight ? padding + line[i] : line[i] + padding);
    }
    out << log_reader::TrimTrailingSpaces(text) << "\n";
  }
  if (!index.notRead.empty()) {
    out << "\nNot read (" << index.notRead.size() << ")\n";
    for (const std::string& problem : index.notRead)
      out << "  " << log_reader::Printable(problem) << "\n";
  }
  out << "\n" << ShownText(index) << "\n";
}

void WriteTextReportInSet(const Report& report, size_t number, size_t logs, std::ostream& out) {
  out << "\n=== Log " << number << " of " << logs << " ===\n\n";
  WriteTextReport(report, out);
}

}  // namespace report
