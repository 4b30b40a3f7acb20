// Runs twaintrace-report as a user would and reads what it printed.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>

#include "report/html_report.h"
#include "report/plain_text_report.h"
#include "report/report_model.h"
#include "test_support.h"

namespace report_test {

class ToolRun : public testing::Test {
 protected:
  void SetUp() override { mkdir(REPORT_OUTPUT, 0755); }

  // The exit status; stdout and stderr land in Output("stdout") and Output("stderr").
  static int Run(const std::string& arguments) {
    return RunCommand(std::string(REPORT_TOOL) + " " + arguments + " >" + Output("stdout") + " 2>" +
                      Output("stderr"))
        .status;
  }

  static std::string Output(const std::string& name) {
    return std::string(REPORT_OUTPUT) + "/" + name;
  }
};

inline bool Contains(const std::string& text, const std::string& what) {
  return text.find(what) != std::string::npos;
}

// The report of the log at `path`, and its text as the tool prints it for one log.
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

}  // namespace report_test
