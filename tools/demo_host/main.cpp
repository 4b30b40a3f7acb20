// twaintrace-demo: a scanning application and its source manager in one program. It loads the
// TwainTrace data source, runs a complete TWAIN session against the sample scanner behind it,
// and reports what the trace recorded.
#include <cstdlib>
#include <iostream>
#include <string>

#include "common/source_manager.h"
#include "demo_options.h"
#include "demo_session.h"
#include "log_directory_watch.h"

namespace {

void ReportLog(const DemoOptions& options, const LogDirectoryWatch& watch,
               const std::string& logFile) {
  if (logFile.empty()) {
    std::cout << "Log file: none ("
              << (watch.DirectoryExists() ? "the data source wrote no log in "
                                          : "there is no log directory ")
              << options.logDirectory << ")\n";
    return;
  }
  if (options.printLog) {
    std::cout << "\n---- " << logFile << "\n";
    CopyFile(logFile, std::cout);
    std::cout << "----\n\n";
  }
  std::cout << "Log file: " << logFile << "\n";
}

void ReportSummary(const SourceManager& manager, const DemoSession& session, uint64_t logged,
                   bool ok) {
  std::cout << "Summary: " << manager.Calls() << " calls, " << manager.Failures() << " failures ("
            << session.ExpectedFailures() << " expected), " << session.Pages()
            << (session.Pages() == 1 ? " page, " : " pages, ") << session.ImageBytes()
            << " image bytes, " << logged << " bytes logged; session "
            << (ok ? "completed" : "FAILED") << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  DemoOptions options;
  std::string error;
  switch (ParseOptions(argc, argv, &options, &error)) {
    case ParseResult::kHelp:
      std::cout << kUsage;
      return 0;
    case ParseResult::kError:
      std::cerr << "twaintrace-demo: " << error << "\n" << kUsage;
      return 2;
    case ParseResult::kRun:
      break;
  }

  // The sample scanner works the way the session asks, unless told otherwise already.
  if (options.notifyByCallback) setenv("HALVERN_NOTIFY", "callback", /*overwrite=*/0);
  LogDirectoryWatch watch(options.logDirectory);
  SourceManager manager;
  std::cout << "Loading " << options.dataSource << "\n";
  if (!manager.Load(options.dataSource, &error)) {
    std::cerr << "twaintrace-demo: cannot load the data source: " << error << "\n";
    return 1;
  }
  DemoSession session(manager, options, std::cout, std::cerr);
  bool ok = session.Run();
  std::cout.flush();
  manager.Unload();

  std::string logFile = watch.NewLogFile();
  ReportLog(options, watch, logFile);
  ReportSummary(manager, session, logFile.empty() ? 0 : FileSize(logFile), ok);
  return ok ? 0 : 1;
}
