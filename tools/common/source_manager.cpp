#include "common/source_manager.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>

#include "common/host_memory.h"

namespace {

// The manager a source's DSM_Entry reaches: the live one, if any. Held while a call is answered,
// so that a manager is never destroyed under a source's thread.
std::mutex g_liveMutex;
SourceManager* g_live = nullptr;

bool IsNotice(TW_UINT16 msg) {
  return msg == MSG_XFERREADY || msg == MSG_CLOSEDSREQ || msg == MSG_CLOSEDSOK ||
         msg == MSG_DEVICEEVENT;
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
  m_entryPoint = HostMemory::EntryPoint(&SourceManager::Entry);
  std::lock_guard<std::mutex> lock(g_liveMutex);
  g_live = this;
}

SourceManager::~SourceManager() {
  Unload();
  std::lock_guard<std::mutex> lock(g_liveMutex);
  if (g_live == this) g_live = nullptr;
}

bool SourceManager::Load(const std::string& path, std::string* error) {
  m_library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_library == nullptr) {
    *error = dlerror();
    return false;
  }
  m_entry = reinterpret_cast<SourceEntry>(dlsym(m_library, "DS_Entry"));
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
  std::lock_guard<std::mutex> lock(m_noticeMutex);
  m_sourceOpen = false;
}

TW_UINT16 SourceManager::Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  ++m_calls;
  TW_UINT16 rc = m_entry != nullptr ? m_entry(&m_application, dg, dat, msg, data) : TWRC_FAILURE;
  if (rc == TWRC_FAILURE) ++m_failures;
  if (dg == DG_CONTROL) NoteOpenOrClose(dat, msg, data, rc);
  return rc;
}

// The manager knows its source by the identity it opened: a closed source's notices are refused.
void SourceManager::NoteOpenOrClose(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16 rc) {
  if (dat != DAT_IDENTITY || rc != TWRC_SUCCESS) return;
  std::lock_guard<std::mutex> lock(m_noticeMutex);
  if (msg == MSG_OPENDS && data != nullptr) {
    m_source = *static_cast<const TW_IDENTITY*>(data);
    m_sourceOpen = true;
  } else if (msg == MSG_CLOSEDS) {
    m_sourceOpen = false;
  }
}

TW_UINT16 SourceManager::HandOverEntryPoints() {
  return Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &m_entryPoint);
}

TW_UINT16 SourceManager::Entry(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG,
                               TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF /*pData*/) {
  std::lock_guard<std::mutex> lock(g_liveMutex);
  return g_live != nullptr ? g_live->Receive(pOrigin, pDest, DG, DAT, MSG) : TWRC_FAILURE;
}

// Every call is queued, the refused ones with the reason, and waiters are woken.
TW_UINT16 SourceManager::Receive(const TW_IDENTITY* origin, const TW_IDENTITY* destination,
                                 TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) {
  SourceNotice notice;
  notice.message = msg;
  notice.thread = std::this_thread::get_id();
  {
    std::lock_guard<std::mutex> lock(m_noticeMutex);
    notice.refusal = RefusalOf(origin, destination, dg, dat, msg);
    notice.accepted = notice.refusal.empty();
    m_notices.push_back(notice);
  }
  m_noticeArrived.notify_all();
  return notice.accepted ? TWRC_SUCCESS : TWRC_FAILURE;
}

// As the Linux source manager checks a source's call: the triplet first, then who sent it to
// whom. Called with the notice mutex held.
std::string SourceManager::RefusalOf(const TW_IDENTITY* origin, const TW_IDENTITY* destination,
                                     TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) const {
  if (dg != DG_CONTROL || dat != DAT_NULL) return "unknown data argument type";
  if (!IsNotice(msg)) return "unknown message";
  if (origin == nullptr) return "null origin";
  if (destination == nullptr) return "null destination";
  if (IdentityIdValue(destination->Id) != IdentityIdValue(m_application.Id)) {
    return "foreign destination";
  }
  if (!m_sourceOpen) return "source not open";
  if (IdentityIdValue(origin->Id) != IdentityIdValue(m_source.Id)) return "foreign origin";
  return "";
}

std::vector<SourceNotice> SourceManager::TakeNotices() {
  std::lock_guard<std::mutex> lock(m_noticeMutex);
  std::vector<SourceNotice> taken(m_notices.begin(), m_notices.end());
  m_notices.clear();
  return taken;
}

bool SourceManager::WaitForNotice(TW_UINT16 message, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(m_noticeMutex);
  return m_noticeArrived.wait_for(lock, timeout, [&] {
    return std::any_of(m_notices.begin(), m_notices.end(), [&](const SourceNotice& notice) {
      return notice.accepted && notice.message == message;
    });
  });
}
