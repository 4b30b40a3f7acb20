// The log reader under libFuzzer: any bytes read as a log, item by item and into the report's
// models and both outputs. The reader is the one part of the tools that reads what others
// wrote.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "log_reader/log_reader.h"
#include "log_reader/triplet_entry.h"
#include "report/html_report.h"
#include "report/plain_text_report.h"
#include "report/report_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view log(reinterpret_cast<const char*>(data), size);
  log_reader::LogReader reader(log);
  log_reader::Triplet triplet;
  size_t ordinal = 0;
  while (const log_reader::LogItem* item = reader.Next()) {
    if (const auto* entry = std::get_if<log_reader::RawEntry>(item)) {
      log_reader::ParseTriplet(*entry, ++ordinal, &triplet);
    }
  }
  report::Report report = report::BuildReport("Twainlog_20260105_093012_0457.txt", log);
  std::ostringstream out;
  report::WriteTextReport(report, out);
  report::WriteHtmlReport(report, out);
  return 0;
}
