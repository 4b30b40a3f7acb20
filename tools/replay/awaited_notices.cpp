#include "replay/awaited_notices.h"

namespace replay {

namespace {

bool IsEventLoop(const log_reader::Triplet& entry, TW_UINT16 msg) {
  return !entry.hasHeader || msg == MSG_PROCESSEVENT;
}

// Calls an application makes only once an image is ready (TWAIN state 6 and on).
bool NeedsReadyImage(TW_UINT32 dg, TW_UINT16 dat) {
  if (dat == DAT_PENDINGXFERS) return true;
  if (dg != DG_IMAGE) return false;
  switch (dat) {
    case DAT_IMAGEINFO:
    case DAT_EXTIMAGEINFO:
    case DAT_IMAGENATIVEXFER:
    case DAT_IMAGEMEMXFER:
    case DAT_IMAGEFILEXFER:
      return true;
    default:
      return false;
  }
}

}  // namespace

TW_UINT16 AwaitedNotices::Before(const log_reader::Triplet& entry, TW_UINT32 dg, TW_UINT16 dat,
                                 TW_UINT16 msg) {
  if (IsEventLoop(entry, msg)) {
    eventLoop_ = true;
    transferReadyDue_ = false;
    closeDue_ = 0;
  }
  if (eventLoop_) return 0;
  if (dat == DAT_USERINTERFACE && msg == MSG_DISABLEDS) {
    transferReadyDue_ = false;
    TW_UINT16 due = closeDue_;
    closeDue_ = 0;
    return due;
  }
  if (transferReadyDue_ && NeedsReadyImage(dg, dat)) {
    transferReadyDue_ = false;
    return MSG_XFERREADY;
  }
  return 0;
}

void AwaitedNotices::After(const log_reader::Triplet& entry, TW_UINT16 dat, TW_UINT16 msg) {
  if (eventLoop_ || entry.returnCode != "TWRC_SUCCESS") return;
  if (dat == DAT_PENDINGXFERS && msg == MSG_ENDXFER && entry.Field("Count") == "0") {
    // The job is done: a TWAIN 2 source then asks to be closed.
    closeDue_ = MSG_CLOSEDSREQ;
  } else if (dat == DAT_PENDINGXFERS && msg == MSG_RESET) {
    // The application dropped the rest of the job itself.
    closeDue_ = 0;
  }
  if (dat != DAT_USERINTERFACE) return;
  if (msg == MSG_ENABLEDS) {
    transferReadyDue_ = true;
    closeDue_ = entry.Field("ShowUI") == "true" ? MSG_CLOSEDSREQ : 0;
  } else if (msg == MSG_ENABLEDSUIONLY) {
    closeDue_ = MSG_CLOSEDSOK;
  }
}

void AwaitedNotices::Received(TW_UINT16 message) {
  if (message == MSG_XFERREADY) transferReadyDue_ = false;
  if (message == MSG_CLOSEDSREQ || message == MSG_CLOSEDSOK) closeDue_ = 0;
}

}  // namespace replay
