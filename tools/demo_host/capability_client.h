// The application's side of capability negotiation: containers it makes for MSG_SET and reads
// after a get, made and freed through the platform's memory manager as the source manager's
// memory functions do.
#pragma once

#include "twaintrace/twain_types.h"

// A capability record carrying a new one-value container, or no container when memory ran out.
TW_CAPABILITY OneValueCapability(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 item);

// Frees the record's container, if it has one.
void FreeContainer(TW_CAPABILITY* cap);

// The value of a one-value container, cut to its item type; false for any other container.
bool OneValueItem(const TW_CAPABILITY& cap, TW_UINT32* item);

// The number of items of an array or enumeration container; false for any other container.
bool ItemCount(const TW_CAPABILITY& cap, TW_UINT32* count);
