#include "target_file.h"

#include <fstream>

namespace {

std::string Parent(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
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
  if (path.empty() || path.front() == '/') return path;
  return Parent(targetFile) + "/" + path;
}
