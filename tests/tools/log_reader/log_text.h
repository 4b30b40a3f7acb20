// Builds log text the way the tracer writes it, for tests that need a log in a few lines, and
// reads logs back as the report tool reads them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "log_reader/log_splitter.h"
#include "log_reader/triplet_entry.h"
#include "report/html_report.h"
#include "report/plain_text_report.h"
#include "report/report_model.h"

namespace report_test {

// A log read back twice: entry by entry, and into the report's overview.
struct ReadBack {
  std::unique_ptr<std::string> content;
  std::vector<log_reader::Triplet> triplets;
  report::Overview overview;
};

inline ReadBack Read(const std::string& log) {
  ReadBack back;
  back.content = std::make_unique<std::string>(log);
  for (const log_reader::LogItem& item : log_reader::SplitLog(*back.content)) {
    if (const auto* entry = std::get_if<log_reader::RawEntry>(&item)) {
      back.triplets.push_back(log_reader::ParseTriplet(*entry, back.triplets.size() + 1));
    }
  }
  back.overview = report::BuildReport("log.txt", *back.content).overview;
  return back;
}

// The report of the log at `path`, and its text and page as the tool writes them for one log.
inline report::Report ReportOf(const std::string& path) {
  report::Report report;
  std::string error;
  EXPECT_TRUE(report::ReadReport(path, &report, &error)) << error;
  return report;
}

inline std::string TextOf(const report::Report& report) {
  std::ostringstream out;
  report::WriteTextReport(report, out);
  return out.str();
}

inline std::string HtmlOf(const report::Report& report) {
  std::ostringstream out;
  report::WriteHtmlReport(report, out);
  return out.str();
}

inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

inline std::string Header(long long sequence, const std::string& triplet) {
  char number[32];
  snprintf(number, sizeof(number), "[%05lld] [APP] ", sequence);
  return number + triplet + "\r\n";
}

inline std::string Result(const std::string& returnCode) {
  return Lines({"        Return Code = [" + returnCode + "]", "pData   = <0x0000a010>"});
}

inline std::string State(int state) {
  return "\r\nTWAIN Status = [" + std::to_string(state) + "]\r\n";
}

inline std::string ErrorStatus() {
  return Lines({"*** Inspect Error Status Start ***", "*** Inspect Error Status End   ***"});
}

// A whole entry of a call that succeeded: header, result lines, dump, state line.
inline std::string Entry(long long sequence, const std::string& triplet, const std::string& dump,
                         int state, const std::string& returnCode = "TWRC_SUCCESS") {
  return Header(sequence, triplet) + Result(returnCode) + dump + State(state);
}

// A whole entry of a call that failed: no state line, the error-status markers instead.
inline std::string FailedEntry(long long sequence, const std::string& triplet,
                               const std::string& dump = "") {
  return Header(sequence, triplet) + Result("TWRC_FAILURE") + dump + ErrorStatus();
}

inline std::string CapabilityDump(const std::string& capability, const std::string& conType,
                                  const std::string& container) {
  return Lines({"  TW_CAPABILITY = {", "    Cap        = [" + capability + "]",
                "    ConType    = [" + conType + "]", "    hContainer = <0x00a1b2c0>"}) +
         container + Lines({"  }"});
}

inline std::string OneValue(const std::string& itemType, const std::string& item) {
  return Lines({"    TW_ONEVALUE = {", "      ItemType = [" + itemType + "]",
                "      Item     = [" + item + "]", "    }"});
}

// A strip of a memory transfer: the bytes it wrote and the application's buffer it wrote them to.
inline std::string MemoryStrip(long long sequence, const std::string& returnCode = "TWRC_SUCCESS",
                               int written = 1000) {
  return Entry(
      sequence, "DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET",
      Lines({"  TW_IMAGEMEMXFER = {", "    BytesWritten = [" + std::to_string(written) + "]",
             "    Memory       =", "    TW_MEMORY = {", "      Flags  = [0x9]",
             "      Length = [65536]", "    }", "}"}),
      7, returnCode);
}

// The log of a load that only asked the source's identity, as hosts do when they list sources.
inline std::string IdentityOnlyLog() {
  return Entry(1, "DG_CONTROL/DAT_IDENTITY/MSG_GET",
               Lines({"  TW_IDENTITY = {", "    ProductName     = [Tandra 9000]", "  }"}), 3);
}

inline std::string StatusDump(const std::string& conditionCode) {
  return Lines({"  TW_STATUS = {", "    ConditionCode = [" + conditionCode + "]", "  }"});
}

}  // namespace report_test
