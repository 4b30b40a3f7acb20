// What the logged application waited for from the data source between two of its calls. A
// source's notices (a transfer is ready, close me) reach the application through the source
// manager, not through DS_Entry, so the log does not show them; it shows what the application
// did once they had come. An application that enabled the source without an event loop waited
// for the transfer-ready notice before it asked for the first image, and for the close request
// before it disabled the source, once the job was done or when it had shown the source's user
// interface. An event loop's entries say that the application took its notices from the loop
// instead: then nothing is waited for.
#pragma once

#include "log_reader/triplet_entry.h"
#include "twaintrace/twain_abi.h"

namespace replay {

class AwaitedNotices {
 public:
  // The notice the application waited for before making `msg` of `dat` in `dg`; 0 for none.
  // Each notice is waited for once: whether or not it came, the calls after it are made.
  TW_UINT16 Before(const log_reader::Triplet& entry, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg);
  // What the logged answer of the call made the application wait for next.
  void After(const log_reader::Triplet& entry, TW_UINT16 dat, TW_UINT16 msg);
  // A notice the source sent and the source manager accepted.
  void Received(TW_UINT16 message);

 private:
  bool eventLoop_ = false;
  bool transferReadyDue_ = false;
  TW_UINT16 closeDue_ = 0;  // MSG_CLOSEDSREQ, or MSG_CLOSEDSOK for a source enabled for its UI only
};

}  // namespace replay
