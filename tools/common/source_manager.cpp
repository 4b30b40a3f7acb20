#include "common/source_manager.h"

#include <dlfcn.h>

#include <cstdio>

#include "common/host_memory.h"

namespace {

// The demo's source manager takes no requests from a source: the sample raises its events
// through MSG_PROCESSEVENT.
TW_UINT16 RefuseSourceRequest(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16,
                              TW_MEMREF) {
  return TWRC_FAILURE;
}

}  // namespace

SourceManager::SourceManager() {
  m_application.Id = IdentityIdFrom(1);
  m_application.Version.MajorNum = 1;
  m_application.Version.Language = TWLG_ENGLISH_USA;
  m_application.Version.Country = TWCY_USA;
  snprintf(m_application.Version.Info, sizeof(m_application.Version.Info), "TwainTrace demo");
  m_application.ProtocolMajor = TWON_PROTOCOLMAJOR;
  m_application.ProtocolMinor = TWON_PROTOCOLMINOR;
  m_application.SupportedGroups = DG_CONTROL | DG_IMAGE;
  snprintf(m_application.Manufacturer, sizeof(m_application.Manufacturer), "TwainTrace");
  snprintf(m_application.ProductFamily, sizeof(m_application.ProductFamily), "Tools");
  snprintf(m_application.ProductName, sizeof(m_application.ProductName), "twaintrace-demo");
  m_entryPoint = HostMemory::EntryPoint(&RefuseSourceRequest);
}

SourceManager::~SourceManager() {
  Unload();
}

bool SourceManager::Load(const std::string& path, std::string* error) {
  m_library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_library == nullptr) {
    *error = dlerror();
    return false;
  }
  m_entry = reinterpret_cast<Entry>(dlsym(m_library, "DS_Entry"));
  if (m_entry == nullptr) {
    *error = path + " has no DS_Entry";
    Unload();
    return false;
  }
  return true;
}

void SourceManager::Unload() {
  if (m_library != nullptr) dlclose(m_library);
  m_library = nullptr;
  m_entry = nullptr;
}

TW_UINT16 SourceManager::Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  ++m_calls;
  TW_UINT16 rc = m_entry != nullptr ? m_entry(&m_application, dg, dat, msg, data) : TWRC_FAILURE;
  if (rc == TWRC_FAILURE) ++m_failures;
  return rc;
}

TW_UINT16 SourceManager::HandOverEntryPoints() {
  return Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &m_entryPoint);
}
