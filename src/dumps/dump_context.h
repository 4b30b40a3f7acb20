// What a structure formatter writes into and knows of the call it shows: the output text, the
// call's message and return code, and the caller's identity.
#pragma once

#include "text/out_text.h"
#include "twaintrace/twain_types.h"

struct DumpContext {
  OutText& out;
  TW_UINT16 MSG;
  TW_UINT16 RC;
  // Shown when the source manager is opened, whose data is a window and not an identity.
  const TW_IDENTITY* origin;
};
