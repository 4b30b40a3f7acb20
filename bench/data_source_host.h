// Loads the benchmark copy of the data source as a host does, with logging on or off. The log
// directory the copy was built with is a link inside the build tree to a fresh directory in
// shared memory, so that the log writes cost what a write to a file costs and no more; the
// directory is removed when the host goes.
#pragma once

#include <string>

#include "twaintrace/triplet_operator.h"

class DataSourceHost {
 public:
  using Entry = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

  DataSourceHost();
  ~DataSourceHost();
  DataSourceHost(const DataSourceHost&) = delete;
  DataSourceHost& operator=(const DataSourceHost&) = delete;

  // Loads the data source with the log directory present (logging on) or absent, reloading it
  // when it is loaded the other way.
  void Load(bool logging);
  void Unload();

  Entry DsEntry() const { return entry_; }
  // The bundle's operator, for calls that bypass the data source.
  TripletOperator* Operator() const { return operator_; }
  // The log file of the current load; empty while logging is off.
  const std::string& LogFile() const { return logFile_; }
  // A directory on the same file system as the log, for the floor's file.
  const std::string& ScratchDirectory() const { return scratch_; }

 private:
  std::string scratch_;
  std::string logFile_;
  void* dataSource_ = nullptr;
  bool logging_ = false;
  Entry entry_ = nullptr;
  TripletOperator* operator_ = nullptr;
};
