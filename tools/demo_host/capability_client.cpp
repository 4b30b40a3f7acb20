#include "capability_client.h"

#include <cstring>

#include "common/host_memory.h"

namespace {

// A copy of the container's first `needed` bytes; false when it holds fewer, or its size is not
// known.
bool ContainerStart(const TW_CAPABILITY& cap, void* start, size_t needed) {
  size_t size = 0;
  if (cap.hContainer == nullptr || !HostMemory::Size(cap.hContainer, &size) || size < needed) {
    return false;
  }
  memcpy(start, HostMemory::Lock(cap.hContainer), needed);
  HostMemory::Unlock(cap.hContainer);
  return true;
}

TW_UINT32 CutToItemType(TW_UINT32 item, TW_UINT16 itemType) {
  switch (itemType) {
    case TWTY_INT8:
    case TWTY_UINT8:
      return item & 0xFF;
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
      return item & 0xFFFF;
    default:
      return item;
  }
}

}  // namespace

TW_CAPABILITY OneValueCapability(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 item) {
  TW_CAPABILITY capability{};
  capability.Cap = cap;
  capability.ConType = TWON_ONEVALUE;
  capability.hContainer = HostMemory::Allocate(sizeof(TW_ONEVALUE));
  if (capability.hContainer != nullptr) {
    TW_ONEVALUE oneValue{};
    oneValue.ItemType = itemType;
    oneValue.Item = CutToItemType(item, itemType);
    memcpy(HostMemory::Lock(capability.hContainer), &oneValue, sizeof(oneValue));
    HostMemory::Unlock(capability.hContainer);
  }
  return capability;
}

void FreeContainer(TW_CAPABILITY* cap) {
  HostMemory::Free(cap->hContainer);
  cap->hContainer = nullptr;
}

bool OneValueItem(const TW_CAPABILITY& cap, TW_UINT32* item) {
  TW_ONEVALUE oneValue;
  if (cap.ConType != TWON_ONEVALUE || !ContainerStart(cap, &oneValue, sizeof(oneValue))) {
    return false;
  }
  *item = CutToItemType(oneValue.Item, oneValue.ItemType);
  return true;
}

bool ItemCount(const TW_CAPABILITY& cap, TW_UINT32* count) {
  if (cap.ConType == TWON_ARRAY) {
    TW_ARRAY array;
    if (!ContainerStart(cap, &array, offsetof(TW_ARRAY, ItemList))) return false;
    *count = array.NumItems;
    return true;
  }
  if (cap.ConType == TWON_ENUMERATION) {
    TW_ENUMERATION enumeration;
    if (!ContainerStart(cap, &enumeration, offsetof(TW_ENUMERATION, ItemList))) return false;
    *count = enumeration.NumItems;
    return true;
  }
  return false;
}
