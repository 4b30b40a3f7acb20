#include "data_source_host.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

const std::string kRoot = BENCH_ROOT;
const std::string kLogLink = kRoot + "/log";
const std::string kBundleExecutableDir = kRoot + "/Halvern.bundle/Contents/MacOS";
const std::string kBundleExecutable = kBundleExecutableDir + "/Halvern";

void Check(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what + ": " + strerror(errno));
}

void MakeDirectories(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string prefix = path.substr(0, slash);
    Check(mkdir(prefix.c_str(), 0755) == 0 || errno == EEXIST, "mkdir " + prefix);
    if (slash == std::string::npos) break;
  }
}

void Replace(const std::string& target, const std::string& link) {
  unlink(link.c_str());
  Check(symlink(target.c_str(), link.c_str()) == 0, "symlink " + link);
}

// Everything in `directory`, which holds plain files only, and the directory itself.
void RemoveDirectory(const std::string& directory) {
  if (DIR* dir = opendir(directory.c_str())) {
    while (dirent* entry = readdir(dir)) {
      if (entry->d_name[0] != '.') unlink((directory + "/" + entry->d_name).c_str());
    }
    closedir(dir);
  }
  rmdir(directory.c_str());
}

std::string OnlyFileIn(const std::string& directory, const std::string& prefix) {
  std::string found;
  if (DIR* dir = opendir(directory.c_str())) {
    while (dirent* entry = readdir(dir)) {
      if (strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) found = entry->d_name;
    }
    closedir(dir);
  }
  return found.empty() ? found : directory + "/" + found;
}

}  // namespace

DataSourceHost::DataSourceHost() {
  // Shared memory where the system has it, so that the file system adds nothing but the copy.
  const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/twaintrace-bench.XXXXXX";
  Check(mkdtemp(pattern.data()) != nullptr, "mkdtemp " + pattern);
  scratch_ = pattern;
  MakeDirectories(kBundleExecutableDir);
  Replace(BENCH_BUNDLE, kBundleExecutable);
  unlink(kLogLink.c_str());
}

DataSourceHost::~DataSourceHost() {
  Unload();
  unlink(kLogLink.c_str());
  RemoveDirectory(scratch_);
}

void DataSourceHost::Load(bool logging) {
  if (dataSource_ != nullptr && logging_ == logging) return;
  Unload();
  if (logging) {
    Replace(scratch_, kLogLink);
  } else {
    unlink(kLogLink.c_str());
  }
  dataSource_ = dlopen(BENCH_DATA_SOURCE, RTLD_NOW | RTLD_LOCAL);
  if (dataSource_ == nullptr) throw std::runtime_error(dlerror());
  logging_ = logging;
  entry_ = reinterpret_cast<Entry>(dlsym(dataSource_, "DS_Entry"));
  void* bundle = dlopen(kBundleExecutable.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (entry_ == nullptr || bundle == nullptr) throw std::runtime_error("data source incomplete");
  operator_ = reinterpret_cast<TripletOperator* (*)()>(dlsym(bundle, "BenchHalvern_Operator"))();
  // The data source owns the bundle; the operator lives as long as this load.
  dlclose(bundle);
  logFile_ = logging ? OnlyFileIn(scratch_, "Twainlog_") : std::string();
  if (logging && logFile_.empty()) throw std::runtime_error("the data source opened no log file");
}

void DataSourceHost::Unload() {
  if (dataSource_ == nullptr) return;
  dlclose(dataSource_);
  dataSource_ = nullptr;
  entry_ = nullptr;
  operator_ = nullptr;
  // Each load opens a file of its own; the last one's is of no further use.
  if (!logFile_.empty()) unlink(logFile_.c_str());
  logFile_.clear();
}
