// The calls the benchmarks trace: typical answers of a scanner's data source, one per kind of
// dump, from the smallest capability get to the largest structures.
#pragma once

#include <cstddef>

#include "twaintrace/twain_types.h"
#include "twaintrace/twain_vendor.h"

struct BenchCase {
  const char* name;
  TW_UINT32 DG;
  TW_UINT16 DAT;
  TW_UINT16 MSG;
  // For capability gets: the capability and the bytes of its enumeration container.
  TW_UINT16 Cap;
  size_t containerSize;
};

// The enumerations' item counts.
inline constexpr TW_UINT32 kPixelTypeItems = 3;
inline constexpr TW_UINT32 kResolutionItems = 40;

inline constexpr size_t EnumerationSize(size_t itemCount, size_t itemSize) {
  return offsetof(TW_ENUMERATION, ItemList) + itemCount * itemSize;
}

inline constexpr BenchCase kBenchCases[] = {
    {"cap_enum3", DG_CONTROL, DAT_CAPABILITY, MSG_GET, ICAP_PIXELTYPE,
     EnumerationSize(kPixelTypeItems, sizeof(TW_UINT16))},
    {"cap_enum40", DG_CONTROL, DAT_CAPABILITY, MSG_GET, ICAP_XRESOLUTION,
     EnumerationSize(kResolutionItems, sizeof(TW_FIX32))},
    {"identity", DG_CONTROL, DAT_IDENTITY, MSG_GET, 0, 0},
    {"image_info", DG_IMAGE, DAT_IMAGEINFO, MSG_GET, 0, 0},
    {"mem_xfer", DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, 0, 0},
    {"cie_color", DG_IMAGE, DAT_CIECOLOR, MSG_GET, 0, 0},
    {"hardware_info", DG_CONTROL, DAT_VX_HARDWAREINFO, MSG_GET, 0, 0},
};

// Room for the largest structure a case fills in.
inline constexpr size_t kBenchDataSize = 1024;
static_assert(sizeof(TW_CIECOLOR) <= kBenchDataSize && sizeof(TWVX_HARDWAREINFO) <= kBenchDataSize);
