// The logs named on the command line: files as given, folders for every Twainlog_*.txt in them,
// in the order the data source was loaded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace report {

struct LogFiles {
  std::vector<std::string> paths;     // in load order, each once
  std::vector<std::string> problems;  // arguments that gave no log, with the reason
};

// The data source names each load's log "Twainlog_YYYYMMDD_HHMMSS_mmmm.txt"; a folder holds
// whatever matches "Twainlog_*.txt".
bool IsLogFileName(std::string_view name);

// A folder is read for the logs directly inside it (not below); anything else is taken as a
// log whatever its name, so that a renamed log can still be read.
LogFiles FindLogFiles(const std::vector<std::string>& arguments);

// Load order: by the load time the names carry, logs whose names carry none last, by name.
void SortInLoadOrder(std::vector<std::string>* paths);

}  // namespace report
