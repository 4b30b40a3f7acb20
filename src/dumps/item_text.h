// Capability values as text: numbers by item type, 16-bit values named through the capability's
// own value table, CAP_SUPPORTEDCAPS items as capability names and CAP_VX_VERSION as a version.
#pragma once

#include <cstddef>

#include "names/name_table.h"
#include "text/name_text.h"
#include "twaintrace/twain_types.h"

struct CapValueMapRow;

// How a capability's 16-bit values read (its value table, if it has one); found once per
// container rather than once per item.
struct ValueNaming {
  TW_UINT16 cap;
  const CapValueMapRow* values;
  NameSupplement supplement;  // for the values that `values` leaves unnamed
};
ValueNaming NamingOf(TW_UINT16 cap);

// The text of the item of `itemType` at `value` (read in place, at any alignment): a constant's
// name is its table's own text, anything else is written into `scratch` (kValueTextSize bytes).
NameText ItemText(const ValueNaming& naming, TW_UINT16 itemType, const void* value, char* scratch);
// The same for a 16-bit value.
NameText CapValueText(const ValueNaming& naming, TW_UINT16 value, char* scratch);
// CAP_VX_VERSION's value: the major and minor numbers in the high and low byte, in hex.
size_t VxVersionText(TW_UINT16 value, char* scratch);
