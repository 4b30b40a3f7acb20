#include "report/report_model.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "log_reader/log_reader.h"
#include "log_reader/text_helpers.h"

namespace report {

namespace {

bool IsIdentityRequest(const log_reader::Triplet& triplet) {
  return triplet.group == "DG_CONTROL" && triplet.argumentType == "DAT_IDENTITY" &&
         triplet.message == "MSG_GET";
}

std::string MessageText(const log_reader::LoggerMessage& message) {
  std::string text = "[" + std::string(message.prefix.timestamp) + "] " +
                     std::string(message.prefix.level) + " from \"" +
                     std::string(message.prefix.origin) + "\"";
  if (message.prefix.hasFile) {
    text +=
        " (" + std::string(message.prefix.file) + ":" + std::to_string(message.prefix.line) + ")";
  }
  return message.text.empty() ? text : text + ": " + message.text;
}

// Takes the log's items one at a time into the report's collectors.
class ReportBuilder {
 public:
  ReportBuilder(Report* report, std::string fileName)
      : report_(report), overview_(std::move(fileName)) {}

  void Take(const log_reader::LogItem& item) {
    if (const auto* entry = std::get_if<log_reader::RawEntry>(&item)) {
      log_reader::ParseTriplet(*entry, ++triplets_, &triplet_);
      TakeTriplet(triplet_);
    } else if (const auto* message = std::get_if<log_reader::LoggerMessage>(&item)) {
      overview_.Take(*message);
      if (report_->messages.size() < kKeptMessages) {
        report_->messages.push_back(
            KeptMessage{message->firstLine, MessageText(*message),
                        std::string(log_reader::TrimLineEnds(message->raw))});
      }
    } else {
      const auto& unknown = std::get<log_reader::UnknownLine>(item);
      TakeUnrecognized(unknown.line, unknown.overLong);
    }
  }

  void Finish() {
    report_->calls.Finish();
    report_->pageCount = pages_.Count();
    report_->capabilityCallsLeftOut = capabilities_.CallsLeftOut();
    report_->failures = std::move(failures_).Failures();
    report_->capabilities = std::move(capabilities_).Negotiations();
    report_->pages = std::move(pages_).Pages();
    report_->overview = std::move(overview_).Finish(failures_.Count());
  }

 private:
  void TakeTriplet(const log_reader::Triplet& triplet) {
    overview_.Take(triplet);
    failures_.Take(triplet);
    capabilities_.Take(triplet);
    pages_.Take(triplet);
    report_->calls.Take(triplet);
    report_->chart.Take(triplet);
    if (!IsIdentityRequest(triplet)) {
      report_->onlyIdentityRequests = false;
    } else if (report_->identityProduct.empty() && !triplet.Failed() &&
               triplet.HasField("ProductName")) {
      report_->identityProduct = std::string(triplet.Field("ProductName"));
    }
    for (const log_reader::LogLine& line : triplet.malformed) TakeUnrecognized(line, false);
  }

  void TakeUnrecognized(const log_reader::LogLine& line, bool overLong) {
    overview_.TakeUnrecognizedLine();
    if (report_->unrecognized.size() >= kKeptLines) return;
    report_->unrecognized.push_back(
        KeptLine{line.number, line.offset, log_reader::Shorten(line.text, kLineExcerpt), overLong});
  }

  Report* report_;
  OverviewCollector overview_;
  FailureCollector failures_;
  CapabilityCollector capabilities_;
  PageCollector pages_;
  log_reader::Triplet triplet_;  // reused: its lists keep their storage
  size_t triplets_ = 0;
};

void ReadAll(log_reader::LogReader* reader, ReportBuilder* builder) {
  while (const log_reader::LogItem* item = reader->Next()) builder->Take(*item);
  builder->Finish();
}

}  // namespace

bool ReadReport(const std::string& path, Report* report, std::string* error) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = path + ": " + strerror(errno);
    return false;
  }
  struct stat status {};
  if (fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
    close(fd);
    *error = path + ": is a directory";
    return false;
  }
  report->path = path;
  ReportBuilder builder(report, path);
  log_reader::LogReader reader(fd);
  ReadAll(&reader, &builder);
  report->bytes = reader.Offset();
  close(fd);
  if (!reader.Error().empty()) {
    *error = path + ": " + reader.Error();
    return false;
  }
  return true;
}

Report BuildReport(std::string fileName, std::string_view content) {
  Report report;
  ReportBuilder builder(&report, std::move(fileName));
  log_reader::LogReader reader(content);
  ReadAll(&reader, &builder);
  report.bytes = content.size();
  return report;
}

std::string WhereText(const EntryMark& mark) {
  return "line " + std::to_string(mark.line) + ", byte offset " + std::to_string(mark.offset);
}

}  // namespace report
