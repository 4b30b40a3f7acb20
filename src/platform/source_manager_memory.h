// The source manager's own memory functions, as its DG_CONTROL/DAT_ENTRYPOINT/MSG_SET handed them
// to the data source: once kept, every handle of the data source is made, freed, locked and
// unlocked through them, so that application, source manager and data source share one memory.
#pragma once

#include "twaintrace/twain_abi.h"

// Keeps the four memory functions of `entryPoint`. False, and the functions kept before stay,
// when the structure is null, shorter than the standard's, or lacks one of them.
bool KeepSourceManagerMemory(const TW_ENTRYPOINT* entryPoint);
void ForgetSourceManagerMemory();

// The kept functions (DSM_Entry not among them), or null while none are kept.
const TW_ENTRYPOINT* SourceManagerMemory();
