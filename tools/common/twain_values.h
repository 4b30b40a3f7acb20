// TWAIN standard values that the sample bundle and the demo host both need and the generated
// header does not carry: capability query-support flags, memory descriptor flags, and the
// conversions between TW_FIX32 and numbers.
#pragma once

#include <cmath>
#include <cstring>

#include "twaintrace/twain_types.h"

// Bits of the TWTY_INT32 one-value that answers MSG_QUERYSUPPORT.
inline constexpr TW_INT32 TWQC_GET = 0x0001;
inline constexpr TW_INT32 TWQC_SET = 0x0002;
inline constexpr TW_INT32 TWQC_GETDEFAULT = 0x0004;
inline constexpr TW_INT32 TWQC_GETCURRENT = 0x0008;
inline constexpr TW_INT32 TWQC_RESET = 0x0010;

// TW_MEMORY.Flags: who owns the buffer and whether TheMem is a pointer or a handle.
inline constexpr TW_UINT32 TWMF_APPOWNS = 0x0001;
inline constexpr TW_UINT32 TWMF_DSMOWNS = 0x0002;
inline constexpr TW_UINT32 TWMF_DSOWNS = 0x0004;
inline constexpr TW_UINT32 TWMF_POINTER = 0x0008;
inline constexpr TW_UINT32 TWMF_HANDLE = 0x0010;

inline TW_FIX32 ToFix32(double value) {
  long scaled = std::lround(value * 65536.0);
  TW_FIX32 fix;
  fix.Whole = static_cast<TW_INT16>(scaled >> 16);
  fix.Frac = static_cast<TW_UINT16>(scaled & 0xFFFF);
  return fix;
}

inline double FromFix32(TW_FIX32 fix) {
  return fix.Whole + fix.Frac / 65536.0;
}

// A TW_FIX32 as the 32-bit container slot that carries it, and back.
inline TW_UINT32 Fix32Bits(TW_FIX32 fix) {
  TW_UINT32 bits;
  memcpy(&bits, &fix, sizeof(bits));
  return bits;
}

inline TW_FIX32 Fix32FromBits(TW_UINT32 bits) {
  TW_FIX32 fix;
  memcpy(&fix, &bits, sizeof(fix));
  return fix;
}

// TW_IDENTITY.SupportedGroups: the TWAIN 2 way of working (notices through the source manager's
// DSM_Entry), claimed by the source manager, the application and the data source.
inline constexpr TW_UINT32 DF_DSM2 = 0x10000000;
inline constexpr TW_UINT32 DF_APP2 = 0x20000000;
inline constexpr TW_UINT32 DF_DS2 = 0x40000000;
