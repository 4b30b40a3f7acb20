// A data source that answers every call with success and fills nothing, except that, as
// REPLAY_FAKE_FAULT asks, it crashes ("crash") or never returns ("hang") on the first capability
// get-current, and that, as REPLAY_FAKE_NOTICE asks, it calls the source manager it was handed
// as no source should, or at odd times (see Misbehave), besides the notices a TWAIN 2 source
// sends.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "twaintrace/twain_abi.h"

namespace {

DSMENTRYPROC managerEntry = nullptr;
TW_IDENTITY self{};
TW_IDENTITY application{};
std::thread late;  // a notice sent after the source was closed

bool Asked(const char* kind, const char* variable = "REPLAY_FAKE_NOTICE") {
  const char* asked = getenv(variable);
  return asked != nullptr && strcmp(asked, kind) == 0;
}

TW_UINT16 Notify(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_UINT16 msg) {
  return managerEntry != nullptr
             ? managerEntry(origin, destination, DG_CONTROL, DAT_NULL, msg, nullptr)
             : TWRC_FAILURE;
}

// Each kind of misbehaviour on the call it belongs to.
void Misbehave(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) {
  TW_IDENTITY stranger{};
  stranger.Id = IdentityIdFrom(4242);
  if (dat == DAT_USERINTERFACE && msg == MSG_ENABLEDS) {
    if (Asked("null-origin")) Notify(nullptr, &application, MSG_XFERREADY);
    if (Asked("foreign-destination")) Notify(&self, &stranger, MSG_XFERREADY);
    if (Asked("unknown-message")) Notify(&self, &application, 0x7777);
    // Besides, it says what a TWAIN 2 source says, so that the replay waits for nothing.
    Notify(&self, &application, MSG_XFERREADY);
    for (int flood = 0; flood < 40 && Asked("flood"); ++flood) {
      Notify(&self, &application, MSG_DEVICEEVENT);
    }
  }
  if (dat == DAT_PENDINGXFERS && msg == MSG_ENDXFER) Notify(&self, &application, MSG_CLOSEDSREQ);
  if (dg == DG_IMAGE && dat == DAT_IMAGEINFO && Asked("close-mid-transfer")) {
    Notify(&self, &application, MSG_CLOSEDSREQ);
  }
  if (dat == DAT_IDENTITY && msg == MSG_CLOSEDS && Asked("after-close")) {
    late = std::thread([] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      Notify(&self, &application, MSG_CLOSEDSREQ);
    });
  }
}

// The thread ends before the library's code goes away.
__attribute__((destructor)) void JoinLateNotice() {
  if (late.joinable()) late.join();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) TW_UINT16 DS_Entry(TW_IDENTITY* origin,
                                                                     TW_UINT32 DG, TW_UINT16 DAT,
                                                                     TW_UINT16 MSG,
                                                                     TW_MEMREF data) {
  if (DAT == DAT_CAPABILITY && MSG == MSG_GETCURRENT) {
    if (Asked("crash", "REPLAY_FAKE_FAULT")) abort();
    while (Asked("hang", "REPLAY_FAKE_FAULT")) pause();
  }
  if (DAT == DAT_ENTRYPOINT && MSG == MSG_SET && data != nullptr) {
    managerEntry = static_cast<TW_ENTRYPOINT*>(data)->DSM_Entry;
  }
  if (DAT == DAT_IDENTITY && MSG == MSG_OPENDS && data != nullptr && origin != nullptr) {
    self = *static_cast<TW_IDENTITY*>(data);
    application = *origin;
  }
  Misbehave(DG, DAT, MSG);
  return TWRC_SUCCESS;
}
