#include "log_directory_watch.h"

#include <dirent.h>
#include <sys/stat.h>

#include <fstream>
#include <utility>

namespace {

bool IsLogFileName(const std::string& name) {
  const std::string prefix = "Twainlog_";
  const std::string suffix = ".txt";
  return name.size() > prefix.size() + suffix.size() &&
         name.compare(0, prefix.size(), prefix) == 0 &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

LogDirectoryWatch::LogDirectoryWatch(std::string directory)
    : m_directory(std::move(directory)), m_before(LogFiles()) {}

std::set<std::string> LogDirectoryWatch::LogFiles() const {
  std::set<std::string> names;
  if (DIR* dir = opendir(m_directory.c_str())) {
    while (dirent* entry = readdir(dir)) {
      if (IsLogFileName(entry->d_name)) names.insert(entry->d_name);
    }
    closedir(dir);
  }
  return names;
}

// Names carry the load's time, so of several new files the greatest is the latest.
std::string LogDirectoryWatch::NewLogFile() const {
  std::string newest;
  for (const std::string& name : LogFiles()) {
    if (m_before.count(name) == 0) newest = name;
  }
  return newest.empty() ? newest : m_directory + "/" + newest;
}

bool LogDirectoryWatch::DirectoryExists() const {
  struct stat status {};
  return stat(m_directory.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

uint64_t FileSize(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
}

bool CopyFile(const std::string& path, std::ostream& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out << in.rdbuf();
  return true;
}
