// The structure formatters: each appends the lines of one structure to the context's text, and
// nothing for a null structure.
#pragma once

#include <cstddef>

#include "dumps/dump_context.h"
#include "dumps/dumped_types.h"
#include "twaintrace/twain_types.h"
#include "twaintrace/twain_vendor.h"

// The formatters the rows name, for the data of a call.
#define TW_DECLARE_FORMATTER(DG, DAT, MSG, Structure, Formatter) \
  void Formatter(const DumpContext& context, const Structure* data);
TW_DUMPED_TYPES(TW_DECLARE_FORMATTER)
#undef TW_DECLARE_FORMATTER

// The structures nested in those, each also shown on its own.
void DumpVersion(const DumpContext& context, const TW_VERSION* version);
void DumpMemory(const DumpContext& context, const TW_MEMORY* memory);
void DumpFrame(const DumpContext& context, const TW_FRAME* frame);
void DumpInfo(const DumpContext& context, const TW_INFO* info);
void DumpElement8(const DumpContext& context, const TW_ELEMENT8* element);
void DumpTransformStage(const DumpContext& context, const TW_TRANSFORMSTAGE* stage);
void DumpDecodeFunction(const DumpContext& context, const TW_DECODEFUNCTION* decode);
void DumpCiePoint(const DumpContext& context, const TW_CIEPOINT* point);
void DumpVxReviseBaseParm(const DumpContext& context, const TWVX_REVISEBASEPARM* revise);
void DumpVxThresholdInfo(const DumpContext& context, const TWVX_THRESHOLDINFO* threshold);
// The nine coefficients of a 3-by-3 matrix as list items; the caller writes the brackets and
// the line end.
void DumpColorCoefficients(const DumpContext& context, const TW_FIX32* coefficients);
// One item that a data pointer leads to (the transfer group, the native image handle), given as
// a pointer-sized value.
void DumpUint32Item(const DumpContext& context, const void* item);

// The capability's container behind its handle, read as far as its block and its counts reach.
void DumpContainer(const DumpContext& context, const TW_CAPABILITY* capability);
// A container of which only the first `readable` bytes may be read; one line in the dump marks
// where the rest was left out. Each value is rendered for the capability `cap`.
void DumpArray(const DumpContext& context, TW_UINT16 cap, const TW_ARRAY* array, size_t readable);
void DumpEnumeration(const DumpContext& context, TW_UINT16 cap, const TW_ENUMERATION* enumeration,
                     size_t readable);
void DumpOneValue(const DumpContext& context, TW_UINT16 cap, const TW_ONEVALUE* oneValue,
                  size_t readable);
void DumpRange(const DumpContext& context, TW_UINT16 cap, const TW_RANGE* range, size_t readable);
// A list of `count` items of `itemType`, reading items only within the `readable` bytes that
// follow `items`.
void DumpItemList(const DumpContext& context, TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 count,
                  const void* items, size_t readable);
