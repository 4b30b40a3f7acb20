// A data source that answers every call with success and fills nothing, except that, as
// REPLAY_FAKE_FAULT asks, it crashes ("crash") or never returns ("hang") on the first capability
// get-current. Built a second time without its entry point, as a library that is no data source.
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "twaintrace/twain_abi.h"

#ifndef REPLAY_FAKE_WITHOUT_ENTRY
extern "C" __attribute__((visibility("default"))) TW_UINT16 DS_Entry(TW_IDENTITY*, TW_UINT32,
                                                                     TW_UINT16 DAT, TW_UINT16 MSG,
                                                                     TW_MEMREF) {
  const char* fault = getenv("REPLAY_FAKE_FAULT");
  if (fault != nullptr && DAT == DAT_CAPABILITY && MSG == MSG_GETCURRENT) {
    if (strcmp(fault, "crash") == 0) abort();
    if (strcmp(fault, "hang") == 0) {
      for (;;) pause();
    }
  }
  return TWRC_SUCCESS;
}
#else
extern "C" __attribute__((visibility("default"))) int NotAnEntry() {
  return 0;
}
#endif
