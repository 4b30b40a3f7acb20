// Watches the log directory for the file the data source makes during the session, and reads it
// out: its size and its bytes.
#pragma once

#include <cstdint>
#include <ostream>
#include <set>
#include <string>

class LogDirectoryWatch {
 public:
  // Remembers the log files already in `directory`.
  explicit LogDirectoryWatch(std::string directory);

  // The path of a log file made since, or empty when there is none.
  std::string NewLogFile() const;
  bool DirectoryExists() const;

 private:
  std::set<std::string> LogFiles() const;

  std::string m_directory;
  std::set<std::string> m_before;
};

// The file's size in bytes, 0 when it cannot be read.
uint64_t FileSize(const std::string& path);

// Copies the file to `out`; false when it cannot be read.
bool CopyFile(const std::string& path, std::ostream& out);
