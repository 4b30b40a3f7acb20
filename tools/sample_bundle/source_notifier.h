// How the sample tells its application that an image is ready or that it wants to be closed:
// through the event loop (MSG_PROCESSEVENT, the default), or the TWAIN 2 way, by calling the
// source manager's DSM_Entry, from the application's thread or from a thread of its own. Chosen
// when the bundle is loaded, from HALVERN_NOTIFY (event, callback, callback-thread); and
// HALVERN_WITHHOLD (xferready, closedsreq, comma-separated) makes it keep a notice to itself,
// for tests of applications that wait for one.
#pragma once

#include <thread>

#include "twaintrace/twain_abi.h"

class SourceNotifier {
 public:
  enum class Mode { kEventLoop, kCallback, kCallbackThread };

  // The mode and withheld notices from the environment.
  SourceNotifier();
  ~SourceNotifier();
  SourceNotifier(const SourceNotifier&) = delete;
  SourceNotifier& operator=(const SourceNotifier&) = delete;

  bool ThroughManager() const { return m_mode != Mode::kEventLoop; }
  // The source manager's entry from DG_CONTROL/DAT_ENTRYPOINT/MSG_SET (null is fine).
  void TakeManagerEntry(DSMENTRYPROC entry) { m_managerEntry = entry; }
  // Whom notices are from and to, as MSG_OPENDS named them.
  void Opened(const TW_IDENTITY* application, const TW_IDENTITY& source);
  // Waits for a notice still on its way; the source is no longer open.
  void Closed();

  // True when the tests asked the source to keep this notice to itself.
  bool Withholds(TW_UINT16 msg) const;
  // Sends DG_CONTROL/DAT_NULL/`msg` to the application; false when it cannot be sent or the
  // manager refused it. A notice sent from the notifier's own thread, or withheld, counts as sent.
  bool Send(TW_UINT16 msg);

 private:
  TW_UINT16 CallManager(TW_UINT16 msg);

  Mode m_mode = Mode::kEventLoop;
  bool m_withholdTransferReady = false;
  bool m_withholdCloseRequest = false;
  DSMENTRYPROC m_managerEntry = nullptr;
  TW_IDENTITY m_application{};
  TW_IDENTITY m_source{};
  bool m_open = false;
  std::thread m_sender;
};
