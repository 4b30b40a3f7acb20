// What one triplet came to: the return code for the caller and, when it failed, the condition
// code that DG_CONTROL/DAT_STATUS/MSG_GET reports afterwards.
#pragma once

#include "twaintrace/twain_types.h"

struct TripletResult {
  TW_UINT16 rc;
  TW_UINT16 cc;
};

inline TripletResult Success(TW_UINT16 rc = TWRC_SUCCESS) {
  return {rc, TWCC_SUCCESS};
}

inline TripletResult Failure(TW_UINT16 cc) {
  return {TWRC_FAILURE, cc};
}
