// Every capability with enumerated values names them through its own table, and a value its
// table lacks shows as "ERROR!(n)".
#include "names/capability_values.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "analyzer/para_analyze.h"
#include "vendor_build.h"

namespace {

struct NamedValue {
  TW_UINT16 cap;
  TW_UINT16 value;
  const char* name;
};

// One value per map row, its name read off the TWAIN standard and the vendor's documentation.
constexpr NamedValue kOnePerRow[] = {
    {0x112C, 3, "TWBR_DIFFUSION"},
    {0x111C, 1, "TWBO_MSBFIRST"},
    {0x0100, 12, "TWCP_BITFIELDS"},
    {0x1106, 8, "TWFT_BLACK"},
    {0x110C, 9, "TWFF_EXIF"},
    {0x111E, 1, "TWLP_TRANSMISSIVE"},
    {0x110E, 6, "TWLS_IR"},
    {0x1110, 0, "TWOR_ROT0"},
    {0x111F, 1, "TWPF_VANILLA"},
    {0x0101, 8, "TWPT_CIEXYZ"},
    {0x1120, 1, "TWPC_PLANAR"},
    {0x1122, 53, "TWSS_BUSINESSCARD"},
    {0x0103, 2, "TWSX_MEMORY"},
    {0x0102, 5, "TWUN_PIXELS"},
    {0x1012, 2, "TWDX_2PASSDUPLEX"},
    {0x1017, 4, "TWJC_JSXS"},
    {0x1201, 3, "TWAF_AU"},
    {0x1018, 8, "TWAL_SKEW"},
    {0x101D, 2, "TWCB_NOCLEAR"},
    {0x1022, 0x8000, "TWDE_CUSTOMEVENTS"},
    {0x102D, 3, "TWFA_RIGHT"},
    {0x102E, 1, "TWFO_LASTPAGEFIRST"},
    {0x1020, 1, "TWPS_BATTERY"},
    {0x1026, 7, "TWPR_ENDORSERBOTTOMAFTER"},
    {0x1029, 2, "TWPM_COMPOUNDSTRING"},
    {0x113B, 3, "TWBD_VERTHORZ"},
    {0x1146, 4, "TWFL_REDEYE"},
    {0x1136, 1, "TWFR_FANFOLD"},
    {0x1147, 4, "TWIF_HIGHPASS"},
    {0x1148, 3, "TWNF_MAJORITYRULE"},
    {0x1149, 4, "TWOV_ALL"},
    {0x800F, 6, "TWVX_UI_EXTRALIDFILM"},
    {0x8003, 4, "TWVX_FT_REFLECTIVEDOCUMENT"},
    {0x8005, 2, "TWVX_EM_AUTO"},
    {0x8007, 0, "TWVX_PG_10"},
    {0x8008, 2, "TWVX_GT_PRESET"},
    {0x8009, 2, "TWVX_CC_PRESET"},
    {0x8012, 1, "TWVX_CL_DUMB"},
    {0x8018, 3, "TWVX_TPU_TYPE3"},
    {0x8024, 3, "TWVX_USM_CUSTOM"},
    {0x8020, 3, "TWVX_DSCR_175"},
    {0x8017, 1, "TWVX_TA_SIDEWAYS"},
    {0x8028, 2, "TWVX_DR_HIGH"},
    {0x802D, 1, "TWVX_ICE_HIGH"},
    {0x802A, 2, "TWVX_GR_HIGH"},
    {0x8030, 5, "TWVX_HT_40X50"},
    {0x8031, 5, "TWVX_FS_60X90"},
    {0x8033, 1, "TWVX_AF_MOUNT"},
    {0x803B, 1, "TWVX_FT_MPF"},
    {0x803D, 1, "TWVX_LI_EXTEND"},
    {0x8081, 1, "TWVX_AUTOSIZE_LONG"},
};

// Shared values, gaps and aliases where the first row of a value is the one shown.
constexpr NamedValue kFirstRowWins[] = {
    {ICAP_ORIENTATION, 3, "TWOR_ROT270"},
    {ICAP_SUPPORTEDSIZES, 1, "TWSS_A4LETTER"},
    {ICAP_SUPPORTEDSIZES, 2, "TWSS_B5LETTER"},
    {ICAP_SUPPORTEDSIZES, 6, "TWSS_B4"},
    {ICAP_SUPPORTEDSIZES, 7, "TWSS_B6"},
    {ICAP_SUPPORTEDSIZES, 12, "TWSS_B3"},
    {ICAP_SUPPORTEDSIZES, 8, "ERROR!(8)"},
    {ICAP_SUPPORTEDSIZES, 54, "ERROR!(54)"},
    {ICAP_IMAGEFILTER, 3, "TWIF_BANDPASS"},
    {0x1201, 2, "ERROR!(2)"},
    {ICAP_PIXELTYPE, 40, "ERROR!(40)"},
    {ICAP_PIXELTYPE, 0xFFFF, "ERROR!(65535)"},
    {CAP_XFERCOUNT, 5, "5"},
    {CAP_VX_PRODUCTNAME, 65535, "65535"},
    {CAP_VX_VERSION, 0x0105, "1.5"},
    {CAP_VX_VERSION, 0x0210, "2.10"},
    {CAP_SUPPORTEDCAPS, 0x1001, "CAP_CAPTION"},
    {CAP_SUPPORTEDCAPS, 0x8043, "ICAP_VX_ADE"},
    {CAP_SUPPORTEDCAPS, 0x1234, "ERROR!(4660)"},
};

std::string ValueName(TW_UINT16 cap, TW_UINT16 value) {
  CParaAnalyze analyzer;
  char text[kMacroNameSize] = {};
  analyzer.ValToCap(cap, value, text);
  return text;
}

TEST(CapabilityValues, EveryMapRowNamesItsValuesAndMisses) {
  SKIP_UNLESS_VENDOR_BUILD();
  std::set<uint32_t> covered;
  for (const NamedValue& row : kOnePerRow) {
    SCOPED_TRACE(row.cap);
    covered.insert(row.cap);
    EXPECT_EQ(ValueName(row.cap, row.value), row.name);
    EXPECT_EQ(ValueName(row.cap, 999), "ERROR!(999)");
  }
  for (const CapValueMapRow* map : {VALTOCAP, VALTOCAPVX}) {
    for (; map->capability != 0xFFFFFFFF; ++map) EXPECT_EQ(covered.count(map->capability), 1u);
  }
  EXPECT_EQ(covered.size(), 31u + 20u);
}

TEST(CapabilityValues, FirstRowOfAValueWinsAndOthersFallBack) {
  SKIP_UNLESS_VENDOR_BUILD();
  for (const NamedValue& row : kFirstRowWins) {
    SCOPED_TRACE(row.cap);
    EXPECT_EQ(ValueName(row.cap, row.value), row.name);
  }
}

}  // namespace
