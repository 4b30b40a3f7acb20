#include "capability_client.h"

#include <cstring>

#include "platform/memory_handle.h"

namespace {

// The container's bytes if it holds at least `needed` of them, else null.
const char* ContainerOf(const TW_CAPABILITY& cap, size_t needed) {
  size_t size = 0;
  if (cap.hContainer == nullptr || !MemoryHandleSize(cap.hContainer, &size) || size < needed) {
    return nullptr;
  }
  return *cap.hContainer;
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
  capability.hContainer = NewMemoryHandle(sizeof(TW_ONEVALUE));
  if (capability.hContainer != nullptr) {
    auto* oneValue = reinterpret_cast<TW_ONEVALUE*>(*capability.hContainer);
    oneValue->ItemType = itemType;
    oneValue->Item = CutToItemType(item, itemType);
  }
  return capability;
}

void FreeContainer(TW_CAPABILITY* cap) {
  DisposeMemoryHandle(cap->hContainer);
  cap->hContainer = nullptr;
}

bool OneValueItem(const TW_CAPABILITY& cap, TW_UINT32* item) {
  const char* data = ContainerOf(cap, sizeof(TW_ONEVALUE));
  if (cap.ConType != TWON_ONEVALUE || data == nullptr) return false;
  TW_ONEVALUE oneValue;
  memcpy(&oneValue, data, sizeof(oneValue));
  *item = CutToItemType(oneValue.Item, oneValue.ItemType);
  return true;
}

bool ItemCount(const TW_CAPABILITY& cap, TW_UINT32* count) {
  if (cap.ConType == TWON_ARRAY) {
    const char* data = ContainerOf(cap, offsetof(TW_ARRAY, ItemList));
    if (data == nullptr) return false;
    *count = reinterpret_cast<const TW_ARRAY*>(data)->NumItems;
    return true;
  }
  if (cap.ConType == TWON_ENUMERATION) {
    const char* data = ContainerOf(cap, offsetof(TW_ENUMERATION, ItemList));
    if (data == nullptr) return false;
    *count = reinterpret_cast<const TW_ENUMERATION*>(data)->NumItems;
    return true;
  }
  return false;
}
