// The capabilities the virtual scanner offers, with their values at power-on.
#pragma once

#include <vector>

#include "twaintrace/twain_types.h"

// The container a MSG_GET answers with.
enum class CapShape { kOneValue, kEnumeration, kRange, kArray };

// Which values MSG_SET accepts.
enum class Constraint {
  kReadOnly,       // none: the capability describes the hardware
  kListed,         // one of `values`
  kRange,          // from values[0] to values[1] in steps of values[2]
  kBoolean,        // any; nonzero is stored as TRUE
  kTransferCount,  // -1 (as many as there are) or a positive count
};

// Values are 32-bit container slots: a TW_FIX32 as its bits, narrower types in the low bits.
struct CapabilityEntry {
  TW_UINT16 cap;
  TW_UINT16 itemType;
  CapShape shape;
  Constraint constraint;
  std::vector<TW_UINT32> values;
  TW_UINT32 defaultValue;
  TW_UINT32 currentValue;
};

// Every capability, CAP_SUPPORTEDCAPS listing all of them, each at its default.
std::vector<CapabilityEntry> HalvernCapabilities();

// The one bit depth the scanner delivers for a pixel type.
TW_UINT32 BitDepthOf(TW_UINT16 pixelType);
