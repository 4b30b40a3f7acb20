// twaintrace-report: reads one TwainTrace log and prints what a support engineer asks first.
#include <fstream>
#include <iostream>
#include <string>

#include "report/html_report.h"
#include "report/report_model.h"
#include "report/text_report.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFileError = 1;

void PrintUsage(std::ostream& out) {
  out << "usage: twaintrace-report [--html FILE] LOGFILE\n"
         "Prints an overview, the failures, the capability negotiation and the image transfers\n"
         "of a TwainTrace log; with --html also writes them as one self-contained HTML page.\n";
}

struct Arguments {
  std::string log;
  std::string html;
};

// False when the arguments do not make a valid call.
bool ParseArguments(int argc, char** argv, Arguments* arguments) {
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--html" && i + 1 < argc && arguments->html.empty()) {
      arguments->html = argv[++i];
    } else if (argument.empty() || argument[0] == '-' || !arguments->log.empty()) {
      return false;
    } else {
      arguments->log = argument;
    }
  }
  return !arguments->log.empty();
}

bool WriteHtml(const report::Report& report, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) report::WriteHtmlReport(report, out);
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    PrintUsage(std::cout);
    return 0;
  }
  Arguments arguments;
  if (!ParseArguments(argc, argv, &arguments)) {
    PrintUsage(std::cerr);
    return kUsageError;
  }
  std::string content;
  std::string error;
  if (!report::ReadLogFile(arguments.log, &content, &error)) {
    std::cerr << "twaintrace-report: " << error << "\n";
    return kFileError;
  }
  report::Report report = report::BuildReport(arguments.log, std::move(content));
  report::WriteTextReport(report, std::cout);
  if (!arguments.html.empty() && !WriteHtml(report, arguments.html)) {
    std::cerr << "twaintrace-report: cannot write " << arguments.html << "\n";
    return kFileError;
  }
  return 0;
}
