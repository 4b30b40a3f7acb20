#include "report/log_files.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <tuple>

#include "log_reader/text_helpers.h"
#include "report/session_overview.h"
#include "twaintrace/log_format.h"

namespace report {

namespace fs = std::filesystem;

namespace {

std::string BaseName(const std::string& path) {
  return fs::path(path).filename().string();
}

// Every entry whose name fits, directories and broken links included: reading tells the user
// why such a "log" could not be read, rather than passing over it in silence.
void AddFolder(const std::string& folder, std::vector<std::string>* paths,
               std::vector<std::string>* problems) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  size_t found = 0;
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    std::string name = entries->path().filename().string();
    if (!IsLogFileName(name)) continue;
    paths->push_back((fs::path(folder) / name).string());
    ++found;
  }
  if (error) {
    problems->push_back(folder + ": cannot read the folder: " + error.message());
  } else if (found == 0) {
    problems->push_back(folder + ": no Twainlog_*.txt in this folder");
  }
}

// The same log named twice (a folder and a file in it) is reported once.
void DropRepeats(std::vector<std::string>* paths) {
  std::set<std::string> seen;
  std::vector<std::string> unique;
  for (std::string& path : *paths) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    if (seen.insert(error ? path : canonical.string()).second) unique.push_back(std::move(path));
  }
  *paths = std::move(unique);
}

}  // namespace

bool IsLogFileName(std::string_view name) {
  constexpr std::string_view prefix = log_format::kFileNamePrefix;
  constexpr std::string_view suffix = log_format::kFileNameSuffix;
  return name.size() >= prefix.size() + suffix.size() && log_reader::StartsWith(name, prefix) &&
         log_reader::EndsWith(name, suffix);
}

LogFiles FindLogFiles(const std::vector<std::string>& arguments) {
  LogFiles files;
  for (const std::string& argument : arguments) {
    std::error_code error;
    if (fs::is_directory(argument, error)) {
      AddFolder(argument, &files.paths, &files.problems);
    } else {
      files.paths.push_back(argument);
    }
  }
  DropRepeats(&files.paths);
  SortInLoadOrder(&files.paths);
  return files;
}

void SortInLoadOrder(std::vector<std::string>* paths) {
  using Key = std::tuple<bool, std::string, std::string, std::string>;
  auto key = [](const std::string& path) {
    std::string name = BaseName(path);
    std::optional<std::string> loaded = LoadTimeFromFileName(name);
    // The load time, not the name alone: a rounded 1000 ms carries into the next second.
    return Key{!loaded, loaded.value_or(""), name, path};
  };
  std::stable_sort(paths->begin(), paths->end(),
                   [&key](const std::string& a, const std::string& b) { return key(a) < key(b); });
}

}  // namespace report
