// Sizes of capability values as containers hold them, one after another with no gaps.
#pragma once

#include <cstddef>

#include "twaintrace/twain_types.h"

// Bytes that one capability value of `itemType` takes in a container; 0 for the types that
// have no known size (above TWTY_STR255).
inline constexpr size_t TwainItemSize(TW_UINT16 itemType) {
  switch (itemType) {
    case TWTY_INT8:
    case TWTY_UINT8:
      return 1;
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
      return 2;
    case TWTY_INT32:
    case TWTY_UINT32:
    case TWTY_FIX32:
      return 4;
    case TWTY_FRAME:
      return sizeof(TW_FRAME);
    case TWTY_STR32:
      return sizeof(TW_STR32);
    case TWTY_STR64:
      return sizeof(TW_STR64);
    case TWTY_STR128:
      return sizeof(TW_STR128);
    case TWTY_STR255:
      return sizeof(TW_STR255);
    default:
      return 0;
  }
}
