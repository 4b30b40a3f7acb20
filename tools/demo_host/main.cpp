// twaintrace-demo: a scanning application and its source manager in one program. It loads the
// TwainTrace data source, runs complete TWAIN sessions against the sample scanner behind it,
// and reports what the trace recorded.
#include <cstdint>
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

// What all the sessions of the load did together.
struct Totals {
  int sessions = 0;
  int expectedFailures = 0;
  int pages = 0;
  uint64_t imageBytes = 0;

  void Add(const DemoSession& session) {
    ++sessions;
    expectedFailures += session.ExpectedFailures();
    pages += session.Pages();
    imageBytes += session.ImageBytes();
  }
};

// Runs the sessions one after another while each completes; false at the first that does not.
bool RunSessions(SourceManager& manager, const DemoOptions& options, Totals* totals) {
  for (int i = 1; i <= options.sessions; ++i) {
    if (options.sessions > 1) std::cout << "Session " << i << " of " << options.sessions << "\n";
    DemoSession session(manager, options, std::cout, std::cerr);
    bool ok = session.Run();
    totals->Add(session);
    if (!ok) return false;
  }
  return true;
}

void ReportSummary(const SourceManager& manager, const Totals& totals, uint64_t logged, bool ok) {
  std::cout << "Summary: ";
  if (totals.sessions > 1) std::cout << totals.sessions << " sessions, ";
  std::cout << manager.Calls() << " calls, " << manager.Failures() << " failures ("
            << totals.expectedFailures << " expected), " << totals.pages
            << (totals.pages == 1 ? " page, " : " pages, ") << totals.imageBytes << " image bytes, "
            << logged << " bytes logged; " << (totals.sessions > 1 ? "sessions " : "session ")
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
  Totals totals;
  bool ok = RunSessions(manager, options, &totals);
  std::cout.flush();
  manager.Unload();

  std::string logFile = watch.NewLogFile();
  ReportLog(options, watch, logFile);
  ReportSummary(manager, totals, logFile.empty() ? 0 : FileSize(logFile), ok);
  return ok ? 0 : 1;
}
