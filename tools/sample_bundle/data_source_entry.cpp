// The bundle as a data source of its own: a source manager that loads the executable directly
// reaches the same virtual scanner through DS_Entry, without a TwainTrace data source around it.
#include <new>

#include "halvern_operator.h"

extern "C" __attribute__((visibility("default"))) TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin,
                                                                     TW_UINT32 DG, TW_UINT16 DAT,
                                                                     TW_UINT16 MSG,
                                                                     TW_MEMREF pData) {
  // Nothing may escape into the source manager, which has no way to handle it.
  try {
    // Lives as long as the executable is loaded; each load starts a fresh scanner.
    static HalvernOperator standalone(HalvernOperator::MemorySource::kPlatform);
    return standalone.ProcessTriplet(pOrigin, DG, DAT, MSG, pData);
  } catch (const std::bad_alloc&) {
    return TWRC_FAILURE;
  }
}
