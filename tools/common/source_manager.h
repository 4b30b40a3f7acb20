// The source manager's part in the demo and the replay: loads the data source with the dynamic
// loader, passes it the application's triplets and counts them, and answers the source's own
// calls (its notices) as the Linux source manager answers them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "twaintrace/twain_abi.h"

// A notice a source sent through the manager's DSM_Entry (DG_CONTROL/DAT_NULL/MSG_XFERREADY,
// MSG_CLOSEDSREQ, MSG_CLOSEDSOK, MSG_DEVICEEVENT).
struct SourceNotice {
  TW_UINT16 message = 0;
  bool accepted = false;  // answered TWRC_SUCCESS, as the Linux source manager would
  std::string
      refusal;  // why it was refused, e.g. "null origin", "unknown message", "source not open"
  std::thread::id thread;  // the source's thread that sent it
};

class SourceManager {
 public:
  SourceManager();
  ~SourceManager();
  SourceManager(const SourceManager&) = delete;
  SourceManager& operator=(const SourceManager&) = delete;

  bool Load(const std::string& path, std::string* error);
  // Unloading closes the data source's log.
  void Unload();

  // One triplet from the application to the data source. A successful MSG_OPENDS makes its
  // identity the open source's, whose notices are then taken; MSG_CLOSEDS ends that.
  TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
  // DG_CONTROL/DAT_ENTRYPOINT/MSG_SET: the manager's own entry and memory functions, which the
  // Linux source manager hands a source before opening it.
  TW_UINT16 HandOverEntryPoints();

  int Calls() const { return m_calls; }
  int Failures() const { return m_failures; }

  // Notices received since the last call, in arrival order (from any thread of the source).
  std::vector<SourceNotice> TakeNotices();
  // Waits until an accepted notice with this message has arrived and not yet been taken (leaving
  // it queued for TakeNotices), at most `timeout`; true when it came.
  bool WaitForNotice(TW_UINT16 message, std::chrono::milliseconds timeout);

  // The application's identity, the destination of every notice.
  const TW_IDENTITY& Application() const { return m_application; }

  // The entry handed over as DSM_Entry: answers a source's call to the live manager (one per
  // process), or fails when there is none.
  static TW_UINT16 Entry(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT,
                         TW_UINT16 MSG, TW_MEMREF pData);

 private:
  using SourceEntry = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

  TW_UINT16 Receive(const TW_IDENTITY* origin, const TW_IDENTITY* destination, TW_UINT32 dg,
                    TW_UINT16 dat, TW_UINT16 msg);
  // Why the manager refuses this call from a source; empty when it takes it.
  std::string RefusalOf(const TW_IDENTITY* origin, const TW_IDENTITY* destination, TW_UINT32 dg,
                        TW_UINT16 dat, TW_UINT16 msg) const;
  void NoteOpenOrClose(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16 rc);

  void* m_library = nullptr;
  SourceEntry m_entry = nullptr;
  TW_IDENTITY m_application{};
  TW_ENTRYPOINT m_entryPoint{};  // a source may keep the address
  int m_calls = 0;
  int m_failures = 0;

  // Shared with the source's threads.
  mutable std::mutex m_noticeMutex;
  std::condition_variable m_noticeArrived;
  std::deque<SourceNotice> m_notices;
  bool m_sourceOpen = false;
  TW_IDENTITY m_source{};  // the open source's identity, as MSG_OPENDS left it
};
