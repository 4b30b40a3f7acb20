// Names of the enumerated fields inside TWAIN and vendor structures, scanned in this order by
// the lookup rule: where two names share a value, the earlier row is the one printed.
#pragma once

#include "names/name_table.h"
#include "twaintrace/twain_types.h"
#include "twaintrace/twain_vendor.h"

inline constexpr NameTableRow twty_macros[] = {
    TW_NAME(TWTY_INT8),   TW_NAME(TWTY_INT16),  TW_NAME(TWTY_INT32), TW_NAME(TWTY_UINT8),
    TW_NAME(TWTY_UINT16), TW_NAME(TWTY_UINT32), TW_NAME(TWTY_BOOL),  TW_NAME(TWTY_FIX32),
    TW_NAME(TWTY_FRAME),  TW_NAME(TWTY_STR32),  TW_NAME(TWTY_STR64), TW_NAME(TWTY_STR128),
    TW_NAME(TWTY_STR255), TW_NAME_END,
};
static_assert(ScannedRows(twty_macros) == 13 && EndsWithSentinel(twty_macros));

inline constexpr NameTableRow twpt_macros[] = {
    TW_NAME(TWPT_BW),     TW_NAME(TWPT_GRAY), TW_NAME(TWPT_RGB), TW_NAME(TWPT_PALETTE),
    TW_NAME(TWPT_CMY),    TW_NAME(TWPT_CMYK), TW_NAME(TWPT_YUV), TW_NAME(TWPT_YUVK),
    TW_NAME(TWPT_CIEXYZ), TW_NAME_END,
};
static_assert(ScannedRows(twpt_macros) == 9 && EndsWithSentinel(twpt_macros));

inline constexpr NameTableRow twcp_macros[] = {
    TW_NAME(TWCP_NONE),      TW_NAME(TWCP_PACKBITS),
    TW_NAME(TWCP_GROUP31D),  TW_NAME(TWCP_GROUP31DEOL),
    TW_NAME(TWCP_GROUP32D),  TW_NAME(TWCP_GROUP4),
    TW_NAME(TWCP_JPEG),      TW_NAME(TWCP_LZW),
    TW_NAME(TWCP_JBIG),      TW_NAME(TWCP_PNG),
    TW_NAME(TWCP_RLE4),      TW_NAME(TWCP_RLE8),
    TW_NAME(TWCP_BITFIELDS), TW_NAME_END,
};
static_assert(ScannedRows(twcp_macros) == 13 && EndsWithSentinel(twcp_macros));

inline constexpr NameTableRow twvx_ft_macros[] = {
    TW_NAME(TWVX_FT_POSI),
    TW_NAME(TWVX_FT_NEGA),
    TW_NAME(TWVX_FT_REFLECTIVE),
    TW_NAME(TWVX_FT_BWNEGA),
    TW_NAME(TWVX_FT_REFLECTIVEDOCUMENT),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_ft_macros) == 5 && EndsWithSentinel(twvx_ft_macros));

inline constexpr NameTableRow twvx_pg_macros[] = {
    TW_NAME(TWVX_PG_10),
    TW_NAME(TWVX_PG_18),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_pg_macros) == 2 && EndsWithSentinel(twvx_pg_macros));
