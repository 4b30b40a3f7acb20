#include "containers.h"

#include <cstring>

#include "twaintrace/twain_items.h"

namespace {

// Writes the low `size` bytes of a slot value, as a little-endian item list holds them.
void PutItem(TW_UINT8* to, TW_UINT32 value, size_t size) {
  memcpy(to, &value, size);
}

TW_UINT32 CutToItemSize(TW_UINT32 value, size_t size) {
  return size >= sizeof(TW_UINT32) ? value : value & ((TW_UINT32{1} << (8 * size)) - 1);
}

// A zeroed container of `size` bytes, locked, with its data address in `data`.
TW_HANDLE AllocLocked(const DataSourceMemory& memory, size_t size, char** data) {
  TW_HANDLE handle = memory.AllocMemory(static_cast<unsigned int>(size));
  if (handle == nullptr) return nullptr;
  *data = memory.LockMemory(handle);
  if (*data == nullptr) {
    memory.FreeMemory(handle);
    return nullptr;
  }
  return handle;
}

void PutItemList(TW_UINT8* list, TW_UINT16 itemType, const std::vector<TW_UINT32>& items) {
  size_t size = ItemSize(itemType);
  for (size_t i = 0; i < items.size(); ++i) PutItem(list + i * size, items[i], size);
}

}  // namespace

// The sample keeps every value in a 32-bit slot, so only the types that fit one have a size here.
size_t ItemSize(TW_UINT16 itemType) {
  size_t size = TwainItemSize(itemType);
  return size <= sizeof(TW_UINT32) ? size : 0;
}

TW_HANDLE MakeOneValue(const DataSourceMemory& memory, TW_UINT16 itemType, TW_UINT32 item) {
  char* data = nullptr;
  TW_HANDLE handle = AllocLocked(memory, sizeof(TW_ONEVALUE), &data);
  if (handle == nullptr) return nullptr;
  auto* oneValue = reinterpret_cast<TW_ONEVALUE*>(data);
  oneValue->ItemType = itemType;
  PutItem(reinterpret_cast<TW_UINT8*>(&oneValue->Item), item, ItemSize(itemType));
  memory.UnlockMemory(handle);
  return handle;
}

TW_HANDLE MakeArray(const DataSourceMemory& memory, TW_UINT16 itemType,
                    const std::vector<TW_UINT32>& items) {
  char* data = nullptr;
  TW_HANDLE handle =
      AllocLocked(memory, offsetof(TW_ARRAY, ItemList) + items.size() * ItemSize(itemType), &data);
  if (handle == nullptr) return nullptr;
  auto* array = reinterpret_cast<TW_ARRAY*>(data);
  array->ItemType = itemType;
  array->NumItems = static_cast<TW_UINT32>(items.size());
  PutItemList(array->ItemList, itemType, items);
  memory.UnlockMemory(handle);
  return handle;
}

TW_HANDLE MakeEnumeration(const DataSourceMemory& memory, TW_UINT16 itemType,
                          const std::vector<TW_UINT32>& items, TW_UINT32 currentIndex,
                          TW_UINT32 defaultIndex) {
  char* data = nullptr;
  TW_HANDLE handle = AllocLocked(
      memory, offsetof(TW_ENUMERATION, ItemList) + items.size() * ItemSize(itemType), &data);
  if (handle == nullptr) return nullptr;
  auto* enumeration = reinterpret_cast<TW_ENUMERATION*>(data);
  enumeration->ItemType = itemType;
  enumeration->NumItems = static_cast<TW_UINT32>(items.size());
  enumeration->CurrentIndex = currentIndex;
  enumeration->DefaultIndex = defaultIndex;
  PutItemList(enumeration->ItemList, itemType, items);
  memory.UnlockMemory(handle);
  return handle;
}

TW_HANDLE MakeRange(const DataSourceMemory& memory, TW_UINT16 itemType, TW_UINT32 minValue,
                    TW_UINT32 maxValue, TW_UINT32 stepSize, TW_UINT32 defaultValue,
                    TW_UINT32 currentValue) {
  char* data = nullptr;
  TW_HANDLE handle = AllocLocked(memory, sizeof(TW_RANGE), &data);
  if (handle == nullptr) return nullptr;
  auto* range = reinterpret_cast<TW_RANGE*>(data);
  size_t size = ItemSize(itemType);
  range->ItemType = itemType;
  PutItem(reinterpret_cast<TW_UINT8*>(&range->MinValue), minValue, size);
  PutItem(reinterpret_cast<TW_UINT8*>(&range->MaxValue), maxValue, size);
  PutItem(reinterpret_cast<TW_UINT8*>(&range->StepSize), stepSize, size);
  PutItem(reinterpret_cast<TW_UINT8*>(&range->DefaultValue), defaultValue, size);
  PutItem(reinterpret_cast<TW_UINT8*>(&range->CurrentValue), currentValue, size);
  memory.UnlockMemory(handle);
  return handle;
}

bool ReadOneValue(const DataSourceMemory& memory, TW_HANDLE container, TW_UINT16* itemType,
                  TW_UINT32* item) {
  if (container == nullptr) return false;
  const char* data = memory.LockMemory(container);
  if (data == nullptr) {
    memory.UnlockMemory(container);
    return false;
  }
  TW_ONEVALUE oneValue;
  memcpy(&oneValue, data, sizeof(oneValue));
  memory.UnlockMemory(container);
  *itemType = oneValue.ItemType;
  *item = CutToItemSize(oneValue.Item, ItemSize(oneValue.ItemType));
  return true;
}
