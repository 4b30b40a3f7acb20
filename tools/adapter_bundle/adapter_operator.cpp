#include "adapter_operator.h"

#include <dlfcn.h>

#include <cstdio>
#include <new>

#include "target_file.h"
#include "twaintrace/data_source_memory.h"

namespace {

// The tracing data source that loaded this bundle, whose own DS_Entry must never become the
// target: every triplet would come back to it without end.
void* TracingEntry() {
  void* dataSource = OpenLoadedDataSource();
  if (dataSource == nullptr) return nullptr;
  void* entry = dlsym(dataSource, "DS_Entry");
  dlclose(dataSource);
  return entry;
}

void Complain(const std::string& what) {
  fprintf(stderr, "Halvern adapter: %s\n", what.c_str());
}

}  // namespace

TW_UINT16 AdapterOperator::ProcessTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT,
                                          TW_UINT16 MSG, TW_MEMREF pData) {
  if (!m_tried) {
    m_tried = true;
    // Nothing may escape into the data source, which has no way to handle it.
    try {
      LoadTarget();
    } catch (const std::bad_alloc&) {
      Unload();
    }
  }
  if (m_entry == nullptr) return AnswerWithoutTarget(DG, DAT, MSG, pData);
  return m_entry(pOrigin, DG, DAT, MSG, pData);
}

void AdapterOperator::Release() {
  Unload();
  delete this;
}

// Tried once: a data source that is not there at the first triplet is not looked for again.
void AdapterOperator::LoadTarget() {
  std::string path = ReadTargetPath(m_targetFile);
  if (path.empty()) {
    Complain("no data source named in " + m_targetFile);
    return;
  }
  m_library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_library == nullptr) {
    const char* why = dlerror();
    Complain("cannot load " + path + ": " + (why != nullptr ? why : "unknown error"));
    return;
  }
  void* entry = dlsym(m_library, "DS_Entry");
  if (entry == nullptr || entry == TracingEntry()) {
    Complain(path + (entry == nullptr ? " has no DS_Entry" : " is the tracing data source itself"));
    Unload();
    return;
  }
  m_entry = reinterpret_cast<Entry>(entry);
}

void AdapterOperator::Unload() {
  m_entry = nullptr;
  if (m_library != nullptr) dlclose(m_library);
  m_library = nullptr;
}

// Without a data source every triplet fails; the status request that follows says so.
TW_UINT16 AdapterOperator::AnswerWithoutTarget(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                                               TW_MEMREF pData) {
  if (DG == DG_CONTROL && DAT == DAT_STATUS && MSG == MSG_GET && pData != nullptr) {
    auto* status = static_cast<TW_STATUS*>(pData);
    status->ConditionCode = TWCC_BUMMER;
    status->Data = 0;
    return TWRC_SUCCESS;
  }
  return TWRC_FAILURE;
}
