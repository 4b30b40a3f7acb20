#include "report/plain_text_report.h"

#include <algorithm>
#include <string>

#include "log_reader/text_helpers.h"
#include "report/report_wording.h"

namespace report {

namespace {

// Long lists stop here; the count says how many were left out.
constexpr size_t kListedMessages = 200;
constexpr size_t kListedLines = 50;
constexpr size_t kLineExcerpt = 100;

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
  if (!o.dataSource.empty()) Row(out, "Data source", std::string(o.dataSource));
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

std::string FailureCause(const Report& report, const Failure& failure) {
  if (!failure.status) return "no DAT_STATUS followed";
  return std::string(failure.conditionCode) + " (DAT_STATUS #" +
         log_reader::SequenceText(report.triplets[*failure.status]) + ")";
}

void WriteFailures(const Report& report, std::ostream& out) {
  out << "\nFailures (" << report.failures.size() << ")\n";
  size_t tripletWidth = 0;
  size_t capabilityWidth = 1;
  for (const Failure& failure : report.failures) {
    const log_reader::Triplet& triplet = report.triplets[failure.triplet];
    tripletWidth = std::max(tripletWidth, log_reader::TripletText(triplet).size());
    capabilityWidth = std::max(capabilityWidth, triplet.capability.size());
  }
  for (const Failure& failure : report.failures) {
    const log_reader::Triplet& triplet = report.triplets[failure.triplet];
    std::string capability = triplet.capability.empty() ? "-" : std::string(triplet.capability);
    out << "  #" << log_reader::SequenceText(triplet) << "  "
        << log_reader::Printable(Padded(log_reader::TripletText(triplet), tripletWidth)) << "  "
        << log_reader::Printable(Padded(capability, capabilityWidth)) << "  "
        << log_reader::Printable(FailureCause(report, failure)) << "\n";
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
          << log_reader::Printable(CapabilityCallText(report, negotiation.Outcome(operation)))
          << "\n";
    }
  }
}

void WritePages(const Report& report, std::ostream& out) {
  out << "\nImage transfers (" << log_reader::Counted(report.pages.size(), "page", "pages")
      << ")\n";
  for (const ImagePage& page : report.pages) {
    out << "  Page " << page.number << ", " << PageTriplets(report, page) << "\n";
    out << "    image:     " << log_reader::Printable(ImageInfoText(page)) << "\n";
    out << "    transfer:  " << log_reader::Printable(TransferText(page)) << "\n";
    out << "    end:       " << log_reader::Printable(PageEndText(page)) << "\n";
  }
}

std::string MessageLine(const log_reader::LoggerMessage& message) {
  std::string text = "[" + std::string(message.prefix.timestamp) + "] " +
                     std::string(message.prefix.level) + " from \"" +
                     std::string(message.prefix.origin) + "\"";
  if (message.prefix.hasFile) {
    text +=
        " (" + std::string(message.prefix.file) + ":" + std::to_string(message.prefix.line) + ")";
  }
  return message.text.empty() ? text : text + ": " + message.text;
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
  if (report.messages.empty()) return;
  out << "\nLogger messages (" << report.messages.size() << ")\n";
  size_t listed = std::min(report.messages.size(), kListedMessages);
  for (size_t i = 0; i < listed; ++i) {
    const log_reader::LoggerMessage& message = *report.messages[i];
    out << "  line " << message.firstLine << ": ";
    WriteIndentedLines(MessageLine(message), out);
  }
  if (listed < report.messages.size()) {
    out << "  ... " << report.messages.size() - listed << " more\n";
  }
}

void WriteUnrecognized(const Report& report, std::ostream& out) {
  if (report.unrecognized.empty()) return;
  out << "\nUnrecognized lines (" << report.unrecognized.size() << ")\n";
  size_t listed = std::min(report.unrecognized.size(), kListedLines);
  for (size_t i = 0; i < listed; ++i) {
    const log_reader::LogLine& line = report.unrecognized[i];
    out << "  line " << line.number << ": "
        << log_reader::Printable(log_reader::Shorten(line.text, kLineExcerpt)) << "\n";
  }
  if (listed < report.unrecognized.size()) {
    out << "  ... " << report.unrecognized.size() - listed << " more\n";
  }
}

}  // namespace

void WriteTextReport(const Report& report, std::ostream& out) {
  out << "TwainTrace log report: " << log_reader::Printable(report.overview.fileName) << "\n\n";
  WriteOverview(report, out);
  WriteFailures(report, out);
  WriteCapabilities(report, out);
  WritePages(report, out);
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
