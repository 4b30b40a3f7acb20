// The capability record and the container behind its handle: one-value, enumeration, array or
// range, each value rendered for its capability.
#include <cstddef>

#include "dumps/dump_conventions.h"
#include "dumps/dump_fields.h"
#include "dumps/item_text.h"
#include "dumps/structure_dumps.h"
#include "names/field_names.h"
#include "names/triplet_names.h"
#include "platform/cdsm_interface.h"
#include "platform/memory_handle.h"
#include "twaintrace/twain_abi.h"

namespace {

constexpr char kContainerFieldIndent[] = "      ";

// A handle that tells no block size (every handle of the Linux source manager, and another
// maker's handle elsewhere) is trusted as far as its container's own item type and counts
// reach, as the data source that filled it and the application that reads it trust them, but
// never beyond this many bytes from its start; a container that claims more shows the items
// within the limit and then the cut line.
constexpr size_t kUnsizedContainerLimit = 4096;

bool IsContainerShape(TW_UINT16 conType) {
  return conType == TWON_ARRAY || conType == TWON_ENUMERATION || conType == TWON_ONEVALUE ||
         conType == TWON_RANGE;
}

// Whether a container travels with the message: the data source returns one for the gets, the
// reset and the support query, the application sends one with a set. Any other message leaves
// the record's handle as it was, possibly long freed, so it is not followed.
bool CarriesContainer(TW_UINT16 MSG) {
  switch (MSG) {
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT:
    case MSG_RESET:
    case MSG_QUERYSUPPORT:
    case MSG_SET:
      return true;
    default:
      return false;
  }
}

// How many bytes of the container behind `handle` may be read.
size_t ReadableBytes(TW_HANDLE handle) {
  size_t size = 0;
  return MadeHere(handle) && MemoryHandleSize(handle, &size) ? size : kUnsizedContainerLimit;
}

// The bytes of a container's field, for a reader that copies them out: a field of a packed
// container need not be aligned for its type.
const void* FieldAt(const void* container, size_t offset) {
  return static_cast<const char*>(container) + offset;
}

// True when the first `readable` bytes of a container reach `end`; otherwise appends the line
// that marks the cut, at `indent`, and returns false.
bool ContainerHolds(const DumpContext& context, size_t end, size_t readable, const char* indent) {
  if (end <= readable) return true;
  TW_LINE("%s!!! rest not shown: past the container's known size !!!%s", indent, kCrLf);
  return false;
}

}  // namespace

void DumpCapability(const DumpContext& context, const TW_CAPABILITY* pCap) {
  if (pCap == nullptr) return;
  TW_LINE("  TW_CAPABILITY = {%s", kCrLf);
  TW_FIELDS(4, 10);
  TW_FIELD_AS(pCap, Cap, "%s", NamedBy<CapabilityNameOf>);
  TW_FIELD_NAME(pCap, ConType, twon_macros);
  TW_FIELD_POINTER(pCap, hContainer);
  // After a failure the container holds nothing the data source vouches for.
  if (context.RC != TWRC_FAILURE && CarriesContainer(context.MSG)) DumpContainer(context, pCap);
  TW_LINE("  }%s", kCrLf);
}

void DumpContainer(const DumpContext& context, const TW_CAPABILITY* pCap) {
  if (pCap == nullptr) return;
  TW_HANDLE handle = pCap->hContainer;
  if (handle == nullptr || !IsContainerShape(pCap->ConType)) return;

  size_t readable = ReadableBytes(handle);
  const bool lockedByItsOwner = LockedByItsOwner(handle);
  char* data = CDSMInterface::LockMemory(handle);
  if (data != nullptr) {
    switch (pCap->ConType) {
      case TWON_ARRAY:
        DumpArray(context, pCap->Cap, reinterpret_cast<TW_ARRAY*>(data), readable);
        break;
      case TWON_ENUMERATION:
        DumpEnumeration(context, pCap->Cap, reinterpret_cast<TW_ENUMERATION*>(data), readable);
        break;
      case TWON_ONEVALUE:
        DumpOneValue(context, pCap->Cap, reinterpret_cast<TW_ONEVALUE*>(data), readable);
        break;
      case TWON_RANGE:
        DumpRange(context, pCap->Cap, reinterpret_cast<TW_RANGE*>(data), readable);
        break;
    }
  }
  if (!lockedByItsOwner) CDSMInterface::UnlockMemory(handle);
}

void DumpArray(const DumpContext& context, TW_UINT16 Cap, const TW_ARRAY* pArray, size_t nBytes) {
  if (pArray == nullptr) return;
  constexpr size_t kHeader = offsetof(TW_ARRAY, ItemList);
  TW_LINE("    TW_ARRAY = {%s", kCrLf);
  if (ContainerHolds(context, kHeader, nBytes, kContainerFieldIndent)) {
    TW_FIELDS(6, 8);
    TW_FIELD_NAME(pArray, ItemType, twty_macros, twty_supplement);
    TW_FIELD_U32(pArray, NumItems);
    DumpItemList(context, Cap, pArray->ItemType, pArray->NumItems, pArray->ItemList,
                 nBytes - kHeader);
  }
  TW_LINE("    }%s", kCrLf);
}

void DumpEnumeration(const DumpContext& context, TW_UINT16 Cap, const TW_ENUMERATION* pEnum,
                     size_t nBytes) {
  if (pEnum == nullptr) return;
  constexpr size_t kHeader = offsetof(TW_ENUMERATION, ItemList);
  TW_LINE("    TW_ENUMERATION = {%s", kCrLf);
  if (ContainerHolds(context, kHeader, nBytes, kContainerFieldIndent)) {
    TW_FIELDS(6, 12);
    TW_FIELD_NAME(pEnum, ItemType, twty_macros, twty_supplement);
    TW_FIELD_U32(pEnum, NumItems);
    TW_FIELD_U32(pEnum, CurrentIndex);
    TW_FIELD_U32(pEnum, DefaultIndex);
    DumpItemList(context, Cap, pEnum->ItemType, pEnum->NumItems, pEnum->ItemList, nBytes - kHeader);
  }
  TW_LINE("    }%s", kCrLf);
}

void DumpOneValue(const DumpContext& context, TW_UINT16 Cap, const TW_ONEVALUE* pOneValue,
                  size_t nBytes) {
  if (pOneValue == nullptr) return;
  TW_LINE("    TW_ONEVALUE = {%s", kCrLf);
  if (ContainerHolds(context, sizeof(TW_UINT16), nBytes, kContainerFieldIndent)) {
    TW_FIELDS(6, 8);
    TW_FIELD_NAME(pOneValue, ItemType, twty_macros, twty_supplement);
    TW_UINT16 itemType = pOneValue->ItemType;
    size_t itemEnd = offsetof(TW_ONEVALUE, Item) + TwainItemSize(itemType);
    if (ContainerHolds(context, itemEnd, nBytes, kContainerFieldIndent)) {
      char text[kValueTextSize];
      const void* item = FieldAt(pOneValue, offsetof(TW_ONEVALUE, Item));
      TW_FIELD_SHOWN(Item, "%s", ItemText(NamingOf(Cap), itemType, item, text));
    }
  }
  TW_LINE("    }%s", kCrLf);
}

void DumpRange(const DumpContext& context, TW_UINT16 Cap, const TW_RANGE* pRange, size_t nBytes) {
  if (pRange == nullptr) return;
  TW_LINE("    TW_RANGE = {%s", kCrLf);
  if (ContainerHolds(context, sizeof(TW_UINT16), nBytes, kContainerFieldIndent)) {
    TW_FIELDS(6, 12);
    TW_FIELD_NAME(pRange, ItemType, twty_macros, twty_supplement);
    TW_UINT16 itemType = pRange->ItemType;
    // A value wider than its slot runs on into the next slots; each is shown only while the
    // container still holds all of it, and the first that does not ends the dump.
    const ValueNaming naming = NamingOf(Cap);
    char text[kValueTextSize];
    auto value = [&](auto format, size_t offset) {
      if (!ContainerHolds(context, offset + TwainItemSize(itemType), nBytes,
                          kContainerFieldIndent)) {
        return false;
      }
      AppendLine(context.out, format, ItemText(naming, itemType, FieldAt(pRange, offset), text));
      return true;
    };
#define TW_RANGE_VALUE(member) \
  value(TW_FIELD_FORMAT('[', "%s", ']', member), offsetof(TW_RANGE, member))
    TW_RANGE_VALUE(MinValue) && TW_RANGE_VALUE(MaxValue) && TW_RANGE_VALUE(StepSize) &&
        TW_RANGE_VALUE(DefaultValue) && TW_RANGE_VALUE(CurrentValue);
#undef TW_RANGE_VALUE
  }
  TW_LINE("    }%s", kCrLf);
}

void DumpItemList(const DumpContext& context, TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 count,
                  const void* items, size_t readable) {
  TW_LINE("      ItemList = {%s", kCrLf);
  const size_t itemSize = TwainItemSize(itemType);
  const bool rendered = itemType != TWTY_FRAME && itemType <= TWTY_STR255;
  const char* bytes = static_cast<const char*>(items);
  const ValueNaming naming = NamingOf(cap);
  char text[kValueTextSize];
  // A full output text ends the list: nothing more of it could be shown.
  for (TW_UINT32 index = 0; index < count && !context.out.Cut(); ++index) {
    size_t offset = static_cast<size_t>(index) * itemSize;
    if (!ContainerHolds(context, offset + itemSize, readable, "        ")) break;
    NameText itemText = rendered ? ItemText(naming, itemType, bytes + offset, text)
                                 : NameText{kNotImplementedText, sizeof(kNotImplementedText) - 1};
    TW_LINE("        %3d:%s%s%s", static_cast<int>(index), itemText, index + 1 < count ? "," : "",
            kCrLf);
  }
  TW_LINE("      }%s", kCrLf);
}
