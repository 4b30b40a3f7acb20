#include "shell/data_source_harness.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "test_support.h"

namespace fs = std::filesystem;

namespace {

const std::string kRoot = SHELL_TEST_ROOT;
const std::string kBundleExecutableDir = kRoot + "/Halvern.bundle/Contents/MacOS";
const std::string kBundleExecutable = kBundleExecutableDir + "/Halvern";

bool Loaded(const char* path) {
  void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
  return handle != nullptr && dlclose(handle) == 0;
}

}  // namespace

std::string DataSourceHarness::LogDirectory() {
  return kRoot + "/log";
}

std::string DataSourceHarness::LogFileNameAt(time_t second, int milliseconds) {
  struct tm local {};
  localtime_r(&second, &local);
  char name[64];
  const size_t stamped = strftime(name, sizeof(name), "Twainlog_%Y%m%d_%H%M%S_", &local);
  snprintf(name + stamped, sizeof(name) - stamped, "%04d.txt", milliseconds);
  return name;
}

DataSourceHarness::DataSourceHarness(bool withLogDirectory, FakeBundle bundle) {
  RunOrThrow("rm -rf '" + kRoot + "' && mkdir -p '" + kRoot + "'");
  if (withLogDirectory) RunOrThrow("mkdir -p '" + LogDirectory() + "'");
  if (bundle == FakeBundle::kMissing) return;
  RunOrThrow("mkdir -p '" + kBundleExecutableDir + "'");
  if (bundle != FakeBundle::kNoInfoPlist) {
    std::ofstream(kRoot + "/Halvern.bundle/Contents/Info.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
           "\t<key>CFBundleExecutable</key>\n\t<string>Halvern</string>\n</dict>\n</plist>\n";
  }
  const char* fake = bundle == FakeBundle::kNoFactory      ? "fake_halvern_no_factory"
                     : bundle == FakeBundle::kNullOperator ? "fake_halvern_null_operator"
                                                           : "fake_halvern";
  RunOrThrow(bundle == FakeBundle::kUnloadable
                 ? "echo 'not code' > '" + kBundleExecutable + "'"
                 : "ln -s '" SHELL_TEST_FAKES "/" + std::string(fake) + ".so' '" +
                       kBundleExecutable + "'");
}

DataSourceHarness::~DataSourceHarness() {
  if (dataSource_ != nullptr) Unload();
  DropBundle();  // the bundle's counters start afresh with the next load
}

void DataSourceHarness::Load() {
  dataSource_ = dlopen(SHELL_TEST_DS, RTLD_NOW | RTLD_LOCAL);
  if (dataSource_ == nullptr) throw std::runtime_error(dlerror());
  entry_ = reinterpret_cast<FakeHandler>(dlsym(dataSource_, "DS_Entry"));
  // Holding the bundle open keeps its counters readable after the data source is unloaded;
  // one hold is enough however often the data source is loaded.
  DropBundle();
  fake_ = dlopen(kBundleExecutable.c_str(), RTLD_NOW | RTLD_NOLOAD);
}

void DataSourceHarness::DropBundle() {
  if (fake_ != nullptr) dlclose(std::exchange(fake_, nullptr));
}

bool DataSourceHarness::DataSourceLoaded() const {
  return Loaded(SHELL_TEST_DS);
}

bool DataSourceHarness::BundleLoaded() const {
  return Loaded(kBundleExecutable.c_str());
}

void DataSourceHarness::OccupyLogFileNames(Occupant occupant, const std::string& linkTarget,
                                           int lastMilliseconds) {
  // The name is the local time of the load to the second and its rounded milliseconds (up to
  // 1000). Names are made from a second ago until two seconds ahead of the time they are done,
  // however long making them takes, so a load right after finds its name taken.
  for (time_t second = time(nullptr) - 1; second <= time(nullptr) + 2; ++second) {
    for (int milliseconds = 0; milliseconds <= lastMilliseconds; ++milliseconds) {
      const std::string name = LogFileNameAt(second, milliseconds);
      const std::string path = LogDirectory() + "/" + name;
      const bool made =
          occupant == Occupant::kDirectory ? mkdir(path.c_str(), 0755) == 0
          : occupant == Occupant::kLink    ? symlink(linkTarget.c_str(), path.c_str()) == 0
          : occupant == Occupant::kFifo
              ? mkfifo(path.c_str(), 0666) == 0
              : static_cast<bool>(std::ofstream(path, std::ios::binary) << kOccupantText);
      if (!made) throw std::runtime_error("cannot occupy " + path);
      occupied_.push_back(name);
    }
  }
  std::sort(occupied_.begin(), occupied_.end());
}

int DataSourceHarness::DescriptorOf(const std::string& path) {
  std::error_code error;  // when there is no file at `path`
  for (const fs::directory_entry& descriptor : fs::directory_iterator("/proc/self/fd")) {
    if (fs::equivalent(descriptor.path(), path, error))
      return std::stoi(descriptor.path().filename());
  }
  return -1;
}

void DataSourceHarness::RedirectLogFileTo(const char* device) {
  int descriptor = DescriptorOf(LogDirectory() + "/" + LogFileName());
  int replacement = open(device, O_WRONLY | O_CLOEXEC);
  bool redirected =
      descriptor >= 0 && replacement >= 0 && dup3(replacement, descriptor, O_CLOEXEC) == descriptor;
  if (replacement >= 0) close(replacement);
  if (!redirected) throw std::runtime_error(std::string("cannot redirect the log to ") + device);
}

void DataSourceHarness::Unload() {
  testing::internal::CaptureStderr();
  dlclose(std::exchange(dataSource_, nullptr));
  unloadStderr_ = testing::internal::GetCapturedStderr();
}

void* DataSourceHarness::FakeSymbol(const char* name) {
  if (fake_ == nullptr) throw std::runtime_error("no fake bundle loaded");
  return dlsym(fake_, ("FakeHalvern_" + std::string(name)).c_str());
}

void DataSourceHarness::LogMessage(const char* origin, const char* text) {
  using MessageFn = void (*)(void*, int, const char*, const char*, int, const char*, ...);
  auto message = reinterpret_cast<MessageFn>(dlsym(
      dataSource_, "_ZN9CTwainLog7MessageEN17ENUM_LOG_LEVEL_TW15enumLogLevel_twEPKcS3_iS3_z"));
  auto* vtable = static_cast<char*>(dlsym(dataSource_, "_ZTV9CTwainLog"));
  if (message == nullptr || vtable == nullptr) throw std::runtime_error("no CTwainLog exported");
  // A whole logger object, as the class's inline constructor lays it out: its vtable pointer
  // alone, past the offset-to-top and typeinfo slots. A member call may read it (the undefined
  // behaviour sanitizer checks the object's dynamic type), so a byte of storage will not do.
  const void* log = vtable + 2 * sizeof(void*);
  const int kInfo = 2;
  message(&log, kInfo, origin, nullptr, 0, "%s", text);
}

std::vector<std::string> DataSourceHarness::LogDirectoryNames() {
  std::vector<std::string> names;
  std::error_code error;  // none listed without a log directory
  for (const fs::directory_entry& entry : fs::directory_iterator(LogDirectory(), error)) {
    names.push_back(entry.path().filename());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> DataSourceHarness::LogFileNames() const {
  std::vector<std::string> names;
  for (const std::string& name : LogDirectoryNames()) {
    if (!std::binary_search(occupied_.begin(), occupied_.end(), name)) names.push_back(name);
  }
  return names;
}

std::string DataSourceHarness::LogFileName() const {
  const std::vector<std::string> names = LogFileNames();
  return names.empty() ? "" : names.back();
}

std::string DataSourceHarness::LogText() const {
  const std::string name = LogFileName();
  return name.empty() ? "" : ReadFile(LogDirectory() + "/" + name);
}
