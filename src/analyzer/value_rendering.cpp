// Capability values as text: numbers by item type, 16-bit values named through the capability's
// own value table, CAP_SUPPORTEDCAPS items as capability names and CAP_VX_VERSION as a version.
#include <cstdint>
#include <cstring>

#include "analyzer/append_line.h"
#include "analyzer/para_analyze.h"
#include "names/capability_values.h"
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

// CAP_VX_VERSION: the major and minor numbers in the high and low byte.
#define VX_VERSION_FORMAT "%x.%x"

// For the exported forms, which leave the text in the caller's buffer.
void CopyText(const char* text, char* pszText) {
  if (text != pszText) memcpy(pszText, text, strlen(text) + 1);
}

}  // namespace

// Only the vendor's build knows what the values of capabilities above kVendorIdBase mean.
CParaAnalyze::ValueNaming CParaAnalyze::NamingOf(TW_UINT16 Cap) {
  const CapValueMapRow* values = nullptr;
  if (!IsVendorId(Cap)) {
    values = FindCapValues(VALTOCAP, Cap);
  } else if (kVendorExtensions) {
    values = FindCapValues(VALTOCAPVX, Cap);
  }
  return {Cap, values, values != nullptr ? ValueSupplementOf(values->table) : NameSupplement{}};
}

// The value's text: a constant's name is its table's own text, anything else is written into
// `scratch` (kValueTextSize bytes).
NameText CParaAnalyze::ValueText(const ValueNaming& naming, TW_UINT16 ItemType, const void* pValue,
                                 char* scratch) {
  auto written = [scratch](size_t length) { return NameText{scratch, length}; };
  switch (ItemType) {
    case TWTY_INT8:
      return written(
          TW_FORMAT(scratch, kValueTextSize, "0x%02x",
                    static_cast<unsigned>(static_cast<int32_t>(ItemAt<TW_INT8>(pValue)))));
    case TWTY_INT16:
      return written(TW_FORMAT(scratch, kValueTextSize, "%d", ItemAt<TW_INT16>(pValue)));
    case TWTY_INT32:
      return written(TW_FORMAT(scratch, kValueTextSize, "%d", ItemAt<TW_INT32>(pValue)));
    case TWTY_UINT8:
      return written(TW_FORMAT(scratch, kValueTextSize, "0x%02x", ItemAt<TW_UINT8>(pValue)));
    case TWTY_UINT16:
      return CapValueText(naming, ItemAt<TW_UINT16>(pValue), scratch);
    case TWTY_UINT32:
      return written(TW_FORMAT(scratch, kValueTextSize, "%d",
                               static_cast<int32_t>(ItemAt<TW_UINT32>(pValue))));
    case TWTY_BOOL:
      return ItemAt<TW_BOOL>(pValue) != 0 ? NameText{"true", 4} : NameText{"false", 5};
    case TWTY_FIX32:
      return written(
          TW_FORMAT(scratch, kValueTextSize, "%.3f", ToFix32Number(ItemAt<TW_FIX32>(pValue))));
    case TWTY_FRAME: {
      TW_FRAME frame = ItemAt<TW_FRAME>(pValue);
      return written(TW_FORMAT(scratch, kValueTextSize, "%.3f,%.3f,%.3f,%.3f",
                               ToFix32Number(frame.Left), ToFix32Number(frame.Top),
                               ToFix32Number(frame.Right), ToFix32Number(frame.Bottom)));
    }
    case TWTY_STR32:
    case TWTY_STR64:
    case TWTY_STR128:
    case TWTY_STR255:
      return written(CopyStringItem(pValue, TwainItemSize(ItemType), scratch));
    default:
      // Nothing is known of the item, so nothing is read.
      return NameText{kNotImplementedText, sizeof(kNotImplementedText) - 1};
  }
}

NameText CParaAnalyze::CapValueText(const ValueNaming& naming, TW_UINT16 Value, char* scratch) {
  if (!IsVendorId(naming.cap)) {
    if (naming.cap == CAP_SUPPORTEDCAPS) return CapabilityName(Value, scratch);
  } else if (kVendorExtensions && naming.cap == CAP_VX_VERSION) {
    return NameText{
        scratch, TW_FORMAT(scratch, kValueTextSize, VX_VERSION_FORMAT, Value >> 8, Value & 0xFF)};
  }
  const CapValueMapRow* row = naming.values;
  if (row == nullptr) return NameText{scratch, TW_FORMAT(scratch, kValueTextSize, "%d", Value)};
  const size_t scanned = static_cast<size_t>(row->rowCount - 1);
  NameText name = FindName(row->table, scanned, Value);
  if (name.text == nullptr) name = FindName(naming.supplement.rows, naming.supplement.count, Value);
  return name.text != nullptr ? name : LookupName(row->table, scanned, Value, scratch);
}

void CParaAnalyze::ValToStr(TW_UINT16 Cap, TW_UINT16 ItemType, void* pValue, char* pszText) {
  CopyText(ValueText(NamingOf(Cap), ItemType, pValue, pszText), pszText);
}

void CParaAnalyze::ValToCap(TW_UINT16 Cap, TW_UINT16 Value, char* pszText) {
  CopyText(CapValueText(NamingOf(Cap), Value, pszText), pszText);
}

void CParaAnalyze::MakeCapSupportedCaps(TW_UINT16 Cap, char* pszText) {
  // An id of 0 is named like any other, so no item shows a neighbour's text.
  CopyText(CapabilityName(Cap, pszText), pszText);
}

void CParaAnalyze::MakeCapVxVersion(TW_UINT16 Value, char* pszText) {
  TW_FORMAT(pszText, kValueTextSize, VX_VERSION_FORMAT, Value >> 8, Value & 0xFF);
}

void CParaAnalyze::MakeItemList(TW_UINT16 Cap, TW_UINT16 ItemType, TW_UINT32 NumItems,
                                void* pItem) {
  // The caller vouches for every item.
  MakeItemList(Cap, ItemType, NumItems, pItem, SIZE_MAX);
}

void CParaAnalyze::MakeItemList(TW_UINT16 Cap, TW_UINT16 ItemType, TW_UINT32 NumItems, void* pItem,
                                size_t nBytes) {
  TW_LINE("      ItemList = {%s", kCrLf);
  const size_t itemSize = TwainItemSize(ItemType);
  const bool rendered = ItemType != TWTY_FRAME && ItemType <= TWTY_STR255;
  const char* items = static_cast<const char*>(pItem);
  const ValueNaming naming = NamingOf(Cap);
  char text[kValueTextSize];
  // A full output text ends the list: nothing more of it could be shown.
  for (TW_UINT32 index = 0; index < NumItems && !m_out.Cut(); ++index) {
    size_t offset = static_cast<size_t>(index) * itemSize;
    if (!ContainerHolds(offset + itemSize, nBytes, "        ")) break;
    NameText itemText = rendered ? ValueText(naming, ItemType, items + offset, text)
                                 : NameText{kNotImplementedText, sizeof(kNotImplementedText) - 1};
    TW_LINE("        %3d:%s%s%s", static_cast<int>(index), itemText,
            index + 1 < NumItems ? "," : "", kCrLf);
  }
  TW_LINE("      }%s", kCrLf);
}
