// The source manager's part in the demo: loads the data source with the dynamic loader, passes
// it the application's triplets and counts them.
#pragma once

#include <string>

#include "twaintrace/twain_abi.h"

class SourceManager {
 public:
  SourceManager();
  ~SourceManager();
  SourceManager(const SourceManager&) = delete;
  SourceManager& operator=(const SourceManager&) = delete;

  bool Load(const std::string& path, std::string* error);
  // Unloading closes the data source's log.
  void Unload();

  // One triplet from the application to the data source.
  TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
  // DG_CONTROL/DAT_ENTRYPOINT/MSG_SET: the manager's own entry and memory functions, which the
  // Linux source manager hands a source before opening it.
  TW_UINT16 HandOverEntryPoints();

  int Calls() const { return m_calls; }
  int Failures() const { return m_failures; }

 private:
  using Entry = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

  void* m_library = nullptr;
  Entry m_entry = nullptr;
  TW_IDENTITY m_application{};
  TW_ENTRYPOINT m_entryPoint{};  // a source may keep the address
  int m_calls = 0;
  int m_failures = 0;
};
