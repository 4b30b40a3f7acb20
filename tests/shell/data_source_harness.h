// Loads the data source as a host does, with a chosen fake implementation bundle and with or
// without the log directory, and reads back what it wrote.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "twaintrace/twain_types.h"

// The fake operator's handler, which takes a triplet as DS_Entry does.
using FakeHandler = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

// kUnloadable: the bundle's executable is no loadable code; kNoInfoPlist: the operator's bundle
// without the Info.plist that names its executable.
enum class FakeBundle { kOperator, kNoFactory, kNullOperator, kMissing, kUnloadable, kNoInfoPlist };

// What may stand at a log file's name before the load.
enum class Occupant { kDirectory, kLink, kFifo, kFile };

class DataSourceHarness {
 public:
  // Lays out the test root: the log directory (when `withLogDirectory`) and the bundle.
  explicit DataSourceHarness(bool withLogDirectory = true,
                             FakeBundle bundle = FakeBundle::kOperator);
  ~DataSourceHarness();

  void Load();
  // Unloads the data source and keeps what it wrote on stderr meanwhile.
  void Unload();
  // Lets go of the harness's own hold on the bundle, so that it goes when the data source
  // lets go of it; its counters are gone with it.
  void DropBundle();
  bool DataSourceLoaded() const;
  bool BundleLoaded() const;

  // Faults of the log: an entry at every name the next few seconds' load could give its log
  // file up to `lastMilliseconds` of each second (a link leads to `linkTarget`, a file holds
  // `kOccupantText`); the open log file's descriptor turned to `device`, as a full disk or a
  // discarding file system would take the writes.
  void OccupyLogFileNames(Occupant occupant, const std::string& linkTarget = "",
                          int lastMilliseconds = 1000);
  void RedirectLogFileTo(const char* device);
  static constexpr char kOccupantText[] = "another load's entry\r\n";

  TW_UINT16 Call(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, void* pData,
                 TW_IDENTITY* pOrigin = nullptr) {
    return entry_(pOrigin, DG, DAT, MSG, pData);
  }
  void SetHandler(FakeHandler handler) { *Fake<FakeHandler>("Handler") = handler; }

  // The fake bundle's view: the name its factory received.
  std::string FactoryName() { return Fake<char>("FactoryName"); }
  char** AllocThroughDataSource(unsigned size) {
    return Fake<char**(unsigned)>("AllocThroughDataSource")(size);
  }
  // An INFO message from `origin` through the data source's exported levelled logger.
  void LogMessage(const char* origin, const char* text);

  // The one log file made by this load (empty when none), its name, the names in the log
  // directory that no occupant took, and the stderr text of the unload. With names occupied, the
  // log file is the one regular file no occupant made.
  std::string LogText() const;
  std::string LogFileName() const;
  std::vector<std::string> LogFileNames() const;
  // This process's descriptor of the file at `path`, or -1.
  static int DescriptorOf(const std::string& path);
  // Every entry's name in the log directory, sorted.
  static std::vector<std::string> LogDirectoryNames();
  const std::string& UnloadStderr() const { return unloadStderr_; }

  static std::string LogDirectory();
  // The name a load gives its log file at this local second and rounded milliseconds.
  static std::string LogFileNameAt(time_t second, int milliseconds);

 private:
  // The fake bundle's function or variable FakeHalvern_`name`.
  template <typename Symbol>
  Symbol* Fake(const char* name) {
    return reinterpret_cast<Symbol*>(FakeSymbol(name));
  }
  void* FakeSymbol(const char* name);

  void* dataSource_ = nullptr;
  void* fake_ = nullptr;
  FakeHandler entry_ = nullptr;  // DS_Entry
  std::string unloadStderr_;
  std::vector<std::string> occupied_;  // sorted
};
