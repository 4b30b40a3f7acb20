#include "names/name_table.h"

#include <gtest/gtest.h>

#include "names/triplet_names.h"

namespace {

constexpr TW_UINT16 kFirst = 7;
constexpr TW_UINT16 kAlias = 7;
inline constexpr NameTableRow kTable[] = {
    TW_NAME(kFirst),
    TW_NAME(kAlias),
    NameTableRow{"kMinusOne", -1},
    TW_NAME_END,
};

TEST(NameLookup, FirstEqualRowWinsAndMissesPrintSignedValue) {
  char text[kMacroNameSize];
  EXPECT_STREQ(LookupName(kTable, 7, text), "kFirst");
  EXPECT_STREQ(LookupName(kTable, 1027, text), "ERROR!(1027)");
  EXPECT_STREQ(LookupName(kTable, -1, text), "kMinusOne");
  // The sentinel row is never compared: -1 misses in a table without such a row.
  EXPECT_STREQ(LookupName(dg_macros, -1, text), "ERROR!(-1)");
  EXPECT_STREQ(LookupName(dg_macros, 0, text), "ERROR!(0)");
}

TEST(NameLookup, TripletTablesNameTheirConstants) {
  char text[kMacroNameSize];
  EXPECT_STREQ(LookupName(twrc_macros, TWRC_DATANOTAVAILABLE, text), "TWRC_DATANOTAVAILABLE");
  EXPECT_STREQ(LookupName(twrc_macros, 10, text), "ERROR!(10)");
  EXPECT_STREQ(LookupName(dat_macros, 0x0301, text), "DAT_SETUPFILEXFER2");
  EXPECT_STREQ(LookupName(dat_macros, 0x0403, text), "ERROR!(1027)");
  EXPECT_STREQ(LookupName(dat_vx_macros, 0x8017, text), "DAT_VX_DUALIMAGE");
  EXPECT_STREQ(LookupName(msg_macros, MSG_PASSTHRU, text), "MSG_PASSTHRU");
  EXPECT_STREQ(LookupName(msg_vx_macros, 0x8002, text), "MSG_VX_XFERREQUEST");
  EXPECT_STREQ(LookupName(icap_vx_macros, 0x8043, text), "ICAP_VX_ADE");
}

}  // namespace
