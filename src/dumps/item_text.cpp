#include "dumps/item_text.h"

#include <cstdint>
#include <cstring>

#include "names/capability_values.h"
#include "names/triplet_names.h"
#include "text/line_format.h"
#include "text/value_text.h"
#include "twaintrace/twain_items.h"

namespace {

// Items need not be aligned for their type inside a container, so they are copied out.
template <typename T>
T ItemAt(const void* pValue) {
  T value;
  memcpy(&value, pValue, sizeof(value));
  return value;
}

// A string item up to its NUL, but never beyond the item's own size; returns its length.
size_t CopyStringItem(const void* pValue, size_t itemSize, char* pszText) {
  size_t length = strnlen(static_cast<const char*>(pValue), itemSize);
  memcpy(pszText, pValue, length);
  pszText[length] = '\0';
  return length;
}

}  // namespace

// Only the vendor's build knows what the values of capabilities above kVendorIdBase mean.
ValueNaming NamingOf(TW_UINT16 cap) {
  const CapValueMapRow* values = nullptr;
  if (!IsVendorId(cap)) {
    values = FindCapValues(VALTOCAP, cap);
  } else if (kVendorExtensions) {
    values = FindCapValues(VALTOCAPVX, cap);
  }
  return {cap, values, values != nullptr ? ValueSupplementOf(values->table) : NameSupplement{}};
}

NameText ItemText(const ValueNaming& naming, TW_UINT16 itemType, const void* value, char* scratch) {
  auto written = [scratch](size_t length) { return NameText{scratch, length}; };
  switch (itemType) {
    case TWTY_INT8:
      return written(
          TW_FORMAT(scratch, kValueTextSize, "0x%02x",
                    static_cast<unsigned>(static_cast<int32_t>(ItemAt<TW_INT8>(value)))));
    case TWTY_INT16:
      return written(TW_FORMAT(scratch, kValueTextSize, "%d", ItemAt<TW_INT16>(value)));
    case TWTY_INT32:
      return written(TW_FORMAT(scratch, kValueTextSize, "%d", ItemAt<TW_INT32>(value)));
    case TWTY_UINT8:
      return written(TW_FORMAT(scratch, kValueTextSize, "0x%02x", ItemAt<TW_UINT8>(value)));
    case TWTY_UINT16:
      return CapValueText(naming, ItemAt<TW_UINT16>(value), scratch);
    case TWTY_UINT32:
      return written(
          TW_FORMAT(scratch, kValueTextSize, "%d", static_cast<int32_t>(ItemAt<TW_UINT32>(value))));
    case TWTY_BOOL:
      return ItemAt<TW_BOOL>(value) != 0 ? NameText{"true", 4} : NameText{"false", 5};
    case TWTY_FIX32:
      return written(
          TW_FORMAT(scratch, kValueTextSize, "%.3f", ToFix32Number(ItemAt<TW_FIX32>(value))));
    case TWTY_FRAME: {
      TW_FRAME frame = ItemAt<TW_FRAME>(value);
      return written(TW_FORMAT(scratch, kValueTextSize, "%.3f,%.3f,%.3f,%.3f",
                               ToFix32Number(frame.Left), ToFix32Number(frame.Top),
                               ToFix32Number(frame.Right), ToFix32Number(frame.Bottom)));
    }
    case TWTY_STR32:
    case TWTY_STR64:
    case TWTY_STR128:
    case TWTY_STR255:
      return written(CopyStringItem(value, TwainItemSize(itemType), scratch));
    default:
      // Nothing is known of the item, so nothing is read.
      return NameText{kNotImplementedText, sizeof(kNotImplementedText) - 1};
  }
}

NameText CapValueText(const ValueNaming& naming, TW_UINT16 value, char* scratch) {
  if (!IsVendorId(naming.cap)) {
    if (naming.cap == CAP_SUPPORTEDCAPS) return CapabilityNameOf(value, scratch);
  } else if (kVendorExtensions && naming.cap == CAP_VX_VERSION) {
    return NameText{scratch, VxVersionText(value, scratch)};
  }
  const CapValueMapRow* row = naming.values;
  if (row == nullptr) return NameText{scratch, TW_FORMAT(scratch, kValueTextSize, "%d", value)};
  const size_t scanned = static_cast<size_t>(row->rowCount - 1);
  NameText name = FindName(row->table, scanned, value);
  if (name.text == nullptr) name = FindName(naming.supplement.rows, naming.supplement.count, value);
  return name.text != nullptr ? name : LookupName(row->table, scanned, value, scratch);
}

size_t VxVersionText(TW_UINT16 value, char* scratch) {
  return TW_FORMAT(scratch, kValueTextSize, "%x.%x", value >> 8, value & 0xFF);
}
