#include "target_file.h"

#include <sys/stat.h>

#include <fstream>

namespace {

std::string Parent(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A bundle directory stands for its executable: <bundle>/Contents/MacOS/<bundle name without
// its extension>, as a data source bundle "Scanner.ds" holds Contents/MacOS/Scanner.
std::string ExecutableOf(std::string path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return path;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  std::string name = path.substr(path.find_last_of('/') + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot != 0) name.erase(dot);
  return path + "/Contents/MacOS/" + name;
}

}  // namespace

std::string TargetFileOf(const std::string& executablePath) {
  std::string contents = Parent(Parent(executablePath));
  return contents + "/Resources/target";
}

std::string ReadTargetPath(const std::string& targetFile) {
  std::ifstream file(targetFile);
  std::string path;
  if (!file || !std::getline(file, path)) return {};
  // A file written on another system may end its line in CR LF.
  if (!path.empty() && path.back() == '\r') path.pop_back();
  if (path.empty()) return path;
  return ExecutableOf(path.front() == '/' ? path : Parent(targetFile) + "/" + path);
}
