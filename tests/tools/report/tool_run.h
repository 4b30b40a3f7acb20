// Runs twaintrace-report as a user would and reads what it printed.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
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
  int Run(const std::string& arguments) {
    std::string command = std::string(REPORT_TOOL) + " " + arguments + " >" + Output("stdout") +
                          " 2>" + Output("stderr");
    int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
