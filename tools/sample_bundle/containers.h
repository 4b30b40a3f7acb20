// Capability containers in the source manager's memory: the four shapes built for an answer,
// and the one-value read from an application's MSG_SET.
//
// Values travel as the 32-bit slot that holds them (a TW_FIX32 as its bits, a 16-bit value in the
// low half); an item list packs each value in its item type's own size.
#pragma once

#include <cstddef>
#include <vector>

#include "twaintrace/data_source_memory.h"
#include "twaintrace/twain_types.h"

// Bytes one item of `itemType` takes in an item list; 0 for types no container here carries.
size_t ItemSize(TW_UINT16 itemType);

// Each returns a new handle that the application frees, or null when memory ran out.
TW_HANDLE MakeOneValue(const DataSourceMemory& memory, TW_UINT16 itemType, TW_UINT32 item);
TW_HANDLE MakeArray(const DataSourceMemory& memory, TW_UINT16 itemType,
                    const std::vector<TW_UINT32>& items);
TW_HANDLE MakeEnumeration(const DataSourceMemory& memory, TW_UINT16 itemType,
                          const std::vector<TW_UINT32>& items, TW_UINT32 currentIndex,
                          TW_UINT32 defaultIndex);
TW_HANDLE MakeRange(const DataSourceMemory& memory, TW_UINT16 itemType, TW_UINT32 minValue,
                    TW_UINT32 maxValue, TW_UINT32 stepSize, TW_UINT32 defaultValue,
                    TW_UINT32 currentValue);

// The item type and the value of a one-value container, the value cut to its item type's size;
// false for a null handle.
bool ReadOneValue(const DataSourceMemory& memory, TW_HANDLE container, TW_UINT16* itemType,
                  TW_UINT32* item);
