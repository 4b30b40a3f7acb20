// The capability record and the container behind its handle: one-value, enumeration, array or
// range, each value rendered for its capability.
#include <cstddef>

#include "analyzer/line_format.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"
#include "names/field_names.h"
#include "platform/memory_handle.h"
#include "shell/cdsm_interface.h"
#include "twaintrace/twain_abi.h"

namespace {

constexpr char kContainerFieldIndent[] = "      ";

// The Linux source manager's handles say nothing of their block's size. There a container is
// trusted as far as its own item type and counts reach, as the data source that filled it and
// the application that reads it trust them, but never beyond this many bytes from its start;
// a container that claims more shows the items within the limit and then the cut line.
constexpr size_t kUnsizedContainerLimit = 4096;

// The fixed fields that every container of this shape has. Elsewhere a handle whose block size
// is unknown is trusted for these bytes only: its items and wider values are left out.
size_t FixedPartOf(TW_UINT16 conType) {
  switch (conType) {
    case TWON_ARRAY:
      return offsetof(TW_ARRAY, ItemList);
    case TWON_ENUMERATION:
      return offsetof(TW_ENUMERATION, ItemList);
    case TWON_ONEVALUE:
      return sizeof(TW_ONEVALUE);
    case TWON_RANGE:
      return sizeof(TW_RANGE);
    default:
      return 0;
  }
}

// How many bytes of the container behind `handle` may be read.
size_t ReadableBytes(TW_HANDLE handle, size_t fixedPart) {
  size_t size = 0;
  if (MemoryHandleSize(handle, &size)) return size;
  return kLinuxSourceManagerAbi ? kUnsizedContainerLimit : fixedPart;
}

// Byte offset of a field inside its container.
size_t OffsetIn(const void* container, const void* field) {
  return static_cast<size_t>(static_cast<const char*>(field) - static_cast<const char*>(container));
}

}  // namespace

bool CParaAnalyze::ContainerHolds(size_t end, size_t nBytes, const char* indent) {
  if (end <= nBytes) return true;
  Line("%s!!! rest not shown: past the container's known size !!!%s", indent, kCrLf);
  return false;
}

bool CParaAnalyze::TwCapabilityAnalyze(TW_CAPABILITY* pCap) {
  if (pCap == nullptr) return true;
  char capability[kMacroNameSize];
  Line("  TW_CAPABILITY = {%s", kCrLf);
  Line("    Cap        = [%s]%s", CapabilityName(pCap->Cap, capability), kCrLf);
  Line("    ConType    = [%s]%s", Name(twon_macros, pCap->ConType), kCrLf);
  Line("    hContainer = <0x%08x>%s", PointerLow32(pCap->hContainer), kCrLf);
  // After a failure the container holds nothing the data source vouches for.
  if (m_RC != TWRC_FAILURE) TwContainerAnalyaze(pCap);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwContainerAnalyaze(TW_CAPABILITY* pCap) {
  TW_HANDLE handle = pCap->hContainer;
  size_t fixedPart = FixedPartOf(pCap->ConType);
  if (handle == nullptr || fixedPart == 0) return true;

  size_t readable = ReadableBytes(handle, fixedPart);
  char* data = CDSMInterface::LockMemory(handle);
  if (data != nullptr) {
    switch (pCap->ConType) {
      case TWON_ARRAY:
        TwArrayAnalyze(pCap->Cap, reinterpret_cast<TW_ARRAY*>(data), readable);
        break;
      case TWON_ENUMERATION:
        TwEnumerationAnalyze(pCap->Cap, reinterpret_cast<TW_ENUMERATION*>(data), readable);
        break;
      case TWON_ONEVALUE:
        TwOneValueAnalyze(pCap->Cap, reinterpret_cast<TW_ONEVALUE*>(data), readable);
        break;
      case TWON_RANGE:
        TwRangeAnalyze(pCap->Cap, reinterpret_cast<TW_RANGE*>(data), readable);
        break;
    }
  }
  CDSMInterface::UnlockMemory(handle);
  return true;
}

// Without a size the caller vouches for the whole container.
bool CParaAnalyze::TwArrayAnalyze(TW_UINT16 Cap, TW_ARRAY* pArray) {
  return TwArrayAnalyze(Cap, pArray, SIZE_MAX);
}
bool CParaAnalyze::TwEnumerationAnalyze(TW_UINT16 Cap, TW_ENUMERATION* pEnum) {
  return TwEnumerationAnalyze(Cap, pEnum, SIZE_MAX);
}
bool CParaAnalyze::TwOneValueAnalyze(TW_UINT16 Cap, TW_ONEVALUE* pOneValue) {
  return TwOneValueAnalyze(Cap, pOneValue, SIZE_MAX);
}
bool CParaAnalyze::TwRangeAnalyze(TW_UINT16 Cap, TW_RANGE* pRange) {
  return TwRangeAnalyze(Cap, pRange, SIZE_MAX);
}

bool CParaAnalyze::TwArrayAnalyze(TW_UINT16 Cap, TW_ARRAY* pArray, size_t nBytes) {
  if (pArray == nullptr) return true;
  constexpr size_t kHeader = offsetof(TW_ARRAY, ItemList);
  Line("    TW_ARRAY = {%s", kCrLf);
  if (ContainerHolds(kHeader, nBytes, kContainerFieldIndent)) {
    Line("      ItemType = [%s]%s", Name(twty_macros, twty_supplement, pArray->ItemType), kCrLf);
    Line("      NumItems = [%ld]%s", static_cast<long>(pArray->NumItems), kCrLf);
    MakeItemList(Cap, pArray->ItemType, pArray->NumItems, pArray->ItemList, nBytes - kHeader);
  }
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwEnumerationAnalyze(TW_UINT16 Cap, TW_ENUMERATION* pEnum, size_t nBytes) {
  if (pEnum == nullptr) return true;
  constexpr size_t kHeader = offsetof(TW_ENUMERATION, ItemList);
  Line("    TW_ENUMERATION = {%s", kCrLf);
  if (ContainerHolds(kHeader, nBytes, kContainerFieldIndent)) {
    Line("      ItemType     = [%s]%s", Name(twty_macros, twty_supplement, pEnum->ItemType), kCrLf);
    Line("      NumItems     = [%ld]%s", static_cast<long>(pEnum->NumItems), kCrLf);
    Line("      CurrentIndex = [%ld]%s", static_cast<long>(pEnum->CurrentIndex), kCrLf);
    Line("      DefaultIndex = [%ld]%s", static_cast<long>(pEnum->DefaultIndex), kCrLf);
    MakeItemList(Cap, pEnum->ItemType, pEnum->NumItems, pEnum->ItemList, nBytes - kHeader);
  }
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwOneValueAnalyze(TW_UINT16 Cap, TW_ONEVALUE* pOneValue, size_t nBytes) {
  if (pOneValue == nullptr) return true;
  Line("    TW_ONEVALUE = {%s", kCrLf);
  if (ContainerHolds(sizeof(TW_UINT16), nBytes, kContainerFieldIndent)) {
    TW_UINT16 itemType = pOneValue->ItemType;
    Line("      ItemType = [%s]%s", Name(twty_macros, twty_supplement, itemType), kCrLf);
    size_t itemEnd = offsetof(TW_ONEVALUE, Item) + TwainItemSize(itemType);
    if (ContainerHolds(itemEnd, nBytes, kContainerFieldIndent)) {
      char text[kValueTextSize];
      Line("      Item     = [%s]%s", ValueText(NamingOf(Cap), itemType, &pOneValue->Item, text),
           kCrLf);
    }
  }
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwRangeAnalyze(TW_UINT16 Cap, TW_RANGE* pRange, size_t nBytes) {
  if (pRange == nullptr) return true;
  Line("    TW_RANGE = {%s", kCrLf);
  if (ContainerHolds(sizeof(TW_UINT16), nBytes, kContainerFieldIndent)) {
    TW_UINT16 itemType = pRange->ItemType;
    Line("      ItemType     = [%s]%s", Name(twty_macros, twty_supplement, itemType), kCrLf);
    // A value wider than its slot runs on into the next slots; each is shown only while the
    // container still holds all of it, and the first that does not ends the dump.
    const ValueNaming naming = NamingOf(Cap);
    char text[kValueTextSize];
    auto value = [&](auto format, TW_UINT32* field) {
      if (!ContainerHolds(OffsetIn(pRange, field) + TwainItemSize(itemType), nBytes,
                          kContainerFieldIndent)) {
        return false;
      }
      AppendLine(format, ValueText(naming, itemType, field, text), kCrLf);
      return true;
    };
    value(TW_LINE_FORMAT("      MinValue     = [%s]%s"), &pRange->MinValue) &&
        value(TW_LINE_FORMAT("      MaxValue     = [%s]%s"), &pRange->MaxValue) &&
        value(TW_LINE_FORMAT("      StepSize     = [%s]%s"), &pRange->StepSize) &&
        value(TW_LINE_FORMAT("      DefaultValue = [%s]%s"), &pRange->DefaultValue) &&
        value(TW_LINE_FORMAT("      CurrentValue = [%s]%s"), &pRange->CurrentValue);
  }
  Line("    }%s", kCrLf);
  return true;
}
