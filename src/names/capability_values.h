// The value names of capabilities whose values are enumerated constants, and the two maps that
// lead from a capability to its value names: VALTOCAP for the standard capabilities (ids up to
// 0x8000), VALTOCAPVX for the vendor's own (ids above).
#pragma once

#include <cstdint>
#include <iterator>

#include "names/field_names.h"
#include "names/name_table.h"
#include "names/twain25_supplements.h"
#include "twaintrace/twain_types.h"
#include "twaintrace/twain_vendor.h"

// The standard audio file format capability; it has no name among the logged capabilities, but
// its values are named.
inline constexpr TW_UINT16 ACAP_AUDIOFILEFORMAT = twain25::ACAP_AUDIOFILEFORMAT;

// Standard value tables.

inline constexpr NameTableRow twbr_macros[] = {
    TW_NAME(TWBR_THRESHOLD),
    TW_NAME(TWBR_HALFTONE),
    TW_NAME(TWBR_CUSTHALFTONE),
    TW_NAME(TWBR_DIFFUSION),
    TW_NAME_END,
};
static_assert(ScannedRows(twbr_macros) == 4 && EndsWithSentinel(twbr_macros));

inline constexpr NameTableRow twbo_macros[] = {
    TW_NAME(TWBO_LSBFIRST),
    TW_NAME(TWBO_MSBFIRST),
    TW_NAME_END,
};
static_assert(ScannedRows(twbo_macros) == 2 && EndsWithSentinel(twbo_macros));

inline constexpr NameTableRow twft_macros[] = {
    TW_NAME(TWFT_RED),   TW_NAME(TWFT_GREEN), TW_NAME(TWFT_BLUE),    TW_NAME(TWFT_NONE),
    TW_NAME(TWFT_WHITE), TW_NAME(TWFT_CYAN),  TW_NAME(TWFT_MAGENTA), TW_NAME(TWFT_YELLOW),
    TW_NAME(TWFT_BLACK), TW_NAME_END,
};
static_assert(ScannedRows(twft_macros) == 9 && EndsWithSentinel(twft_macros));

inline constexpr NameTableRow twlp_macros[] = {
    TW_NAME(TWLP_REFLECTIVE),
    TW_NAME(TWLP_TRANSMISSIVE),
    TW_NAME_END,
};
static_assert(ScannedRows(twlp_macros) == 2 && EndsWithSentinel(twlp_macros));

inline constexpr NameTableRow twls_macros[] = {
    TW_NAME(TWLS_RED),   TW_NAME(TWLS_GREEN), TW_NAME(TWLS_BLUE), TW_NAME(TWLS_NONE),
    TW_NAME(TWLS_WHITE), TW_NAME(TWLS_UV),    TW_NAME(TWLS_IR),   TW_NAME_END,
};
static_assert(ScannedRows(twls_macros) == 7 && EndsWithSentinel(twls_macros));

inline constexpr NameTableRow twor_macros[] = {
    TW_NAME(TWOR_ROT0),     TW_NAME(TWOR_ROT90),     TW_NAME(TWOR_ROT180), TW_NAME(TWOR_ROT270),
    TW_NAME(TWOR_PORTRAIT), TW_NAME(TWOR_LANDSCAPE), TW_NAME_END,
};
static_assert(ScannedRows(twor_macros) == 6 && EndsWithSentinel(twor_macros));

inline constexpr NameTableRow twpf_macros[] = {
    TW_NAME(TWPF_CHOCOLATE),
    TW_NAME(TWPF_VANILLA),
    TW_NAME_END,
};
static_assert(ScannedRows(twpf_macros) == 2 && EndsWithSentinel(twpf_macros));

inline constexpr NameTableRow twpc_macros[] = {
    TW_NAME(TWPC_CHUNKY),
    TW_NAME(TWPC_PLANAR),
    TW_NAME_END,
};
static_assert(ScannedRows(twpc_macros) == 2 && EndsWithSentinel(twpc_macros));

inline constexpr NameTableRow twss_macros[] = {
    TW_NAME(TWSS_NONE),
    TW_NAME(TWSS_A4LETTER),
    TW_NAME(TWSS_B5LETTER),
    TW_NAME(TWSS_USLETTER),
    TW_NAME(TWSS_USLEGAL),
    TW_NAME(TWSS_A5),
    TW_NAME(TWSS_B4),
    TW_NAME(TWSS_B6),
    TW_NAME(TWSS_USLEDGER),
    TW_NAME(TWSS_USEXECUTIVE),
    TW_NAME(TWSS_A3),
    TW_NAME(TWSS_B3),
    TW_NAME(TWSS_A6),
    TW_NAME(TWSS_C4),
    TW_NAME(TWSS_C5),
    TW_NAME(TWSS_C6),
    TW_NAME(TWSS_4A0),
    TW_NAME(TWSS_2A0),
    TW_NAME(TWSS_A0),
    TW_NAME(TWSS_A1),
    TW_NAME(TWSS_A2),
    TW_NAME(TWSS_A4),
    TW_NAME(TWSS_A7),
    TW_NAME(TWSS_A8),
    TW_NAME(TWSS_A9),
    TW_NAME(TWSS_A10),
    TW_NAME(TWSS_ISOB0),
    TW_NAME(TWSS_ISOB1),
    TW_NAME(TWSS_ISOB2),
    TW_NAME(TWSS_ISOB3),
    TW_NAME(TWSS_ISOB4),
    TW_NAME(TWSS_ISOB5),
    TW_NAME(TWSS_ISOB6),
    TW_NAME(TWSS_ISOB7),
    TW_NAME(TWSS_ISOB8),
    TW_NAME(TWSS_ISOB9),
    TW_NAME(TWSS_ISOB10),
    TW_NAME(TWSS_JISB0),
    TW_NAME(TWSS_JISB1),
    TW_NAME(TWSS_JISB2),
    TW_NAME(TWSS_JISB3),
    TW_NAME(TWSS_JISB4),
    TW_NAME(TWSS_JISB5),
    TW_NAME(TWSS_JISB6),
    TW_NAME(TWSS_JISB7),
    TW_NAME(TWSS_JISB8),
    TW_NAME(TWSS_JISB9),
    TW_NAME(TWSS_JISB10),
    TW_NAME(TWSS_C0),
    TW_NAME(TWSS_C1),
    TW_NAME(TWSS_C2),
    TW_NAME(TWSS_C3),
    TW_NAME(TWSS_C7),
    TW_NAME(TWSS_C8),
    TW_NAME(TWSS_C9),
    TW_NAME(TWSS_C10),
    TW_NAME(TWSS_USSTATEMENT),
    TW_NAME(TWSS_BUSINESSCARD),
    TW_NAME_END,
};
static_assert(ScannedRows(twss_macros) == 58 && EndsWithSentinel(twss_macros));

inline constexpr NameTableRow twsx_macros[] = {
    TW_NAME(TWSX_NATIVE),
    TW_NAME(TWSX_FILE),
    TW_NAME(TWSX_MEMORY),
    TW_NAME_END,
};
static_assert(ScannedRows(twsx_macros) == 3 && EndsWithSentinel(twsx_macros));

inline constexpr NameTableRow twun_macros[] = {
    TW_NAME(TWUN_INCHES), TW_NAME(TWUN_CENTIMETERS), TW_NAME(TWUN_PICAS), TW_NAME(TWUN_POINTS),
    TW_NAME(TWUN_TWIPS),  TW_NAME(TWUN_PIXELS),      TW_NAME_END,
};
static_assert(ScannedRows(twun_macros) == 6 && EndsWithSentinel(twun_macros));

inline constexpr NameTableRow twdx_macros[] = {
    TW_NAME(TWDX_NONE),
    TW_NAME(TWDX_1PASSDUPLEX),
    TW_NAME(TWDX_2PASSDUPLEX),
    TW_NAME_END,
};
static_assert(ScannedRows(twdx_macros) == 3 && EndsWithSentinel(twdx_macros));

inline constexpr NameTableRow twjc_macros[] = {
    TW_NAME(TWJC_NONE), TW_NAME(TWJC_JSIC), TW_NAME(TWJC_JSIS),
    TW_NAME(TWJC_JSXC), TW_NAME(TWJC_JSXS), TW_NAME_END,
};
static_assert(ScannedRows(twjc_macros) == 5 && EndsWithSentinel(twjc_macros));

inline constexpr NameTableRow twaf_macros[] = {
    TW_NAME(TWAF_WAV), TW_NAME(TWAF_AIFF), TW_NAME(TWAF_AU), TW_NAME(TWAF_SND), TW_NAME_END,
};
static_assert(ScannedRows(twaf_macros) == 4 && EndsWithSentinel(twaf_macros));

inline constexpr NameTableRow twal_macros[] = {
    TW_NAME(TWAL_ALARM),         TW_NAME(TWAL_FEEDERERROR),
    TW_NAME(TWAL_FEEDERWARNING), TW_NAME(TWAL_BARCODE),
    TW_NAME(TWAL_DOUBLEFEED),    TW_NAME(TWAL_JAM),
    TW_NAME(TWAL_PATCHCODE),     TW_NAME(TWAL_POWER),
    TW_NAME(TWAL_SKEW),          TW_NAME_END,
};
static_assert(ScannedRows(twal_macros) == 9 && EndsWithSentinel(twal_macros));

inline constexpr NameTableRow twcb_macros[] = {
    TW_NAME(TWCB_AUTO),
    TW_NAME(TWCB_CLEAR),
    TW_NAME(TWCB_NOCLEAR),
    TW_NAME_END,
};
static_assert(ScannedRows(twcb_macros) == 3 && EndsWithSentinel(twcb_macros));

inline constexpr NameTableRow twde_macros[] = {
    TW_NAME(TWDE_CUSTOMEVENTS),
    TW_NAME(TWDE_CHECKAUTOMATICCAPTURE),
    TW_NAME(TWDE_CHECKBATTERY),
    TW_NAME(TWDE_CHECKDEVICEONLINE),
    TW_NAME(TWDE_CHECKFLASH),
    TW_NAME(TWDE_CHECKPOWERSUPPLY),
    TW_NAME(TWDE_CHECKRESOLUTION),
    TW_NAME(TWDE_DEVICEADDED),
    TW_NAME(TWDE_DEVICEOFFLINE),
    TW_NAME(TWDE_DEVICEREADY),
    TW_NAME(TWDE_DEVICEREMOVED),
    TW_NAME(TWDE_IMAGECAPTURED),
    TW_NAME(TWDE_IMAGEDELETED),
    TW_NAME(TWDE_PAPERDOUBLEFEED),
    TW_NAME(TWDE_PAPERJAM),
    TW_NAME(TWDE_LAMPFAILURE),
    TW_NAME(TWDE_POWERSAVE),
    TW_NAME(TWDE_POWERSAVENOTIFY),
    TW_NAME_END,
};
static_assert(ScannedRows(twde_macros) == 18 && EndsWithSentinel(twde_macros));

inline constexpr NameTableRow twfa_macros[] = {
    TW_NAME(TWFA_NONE), TW_NAME(TWFA_LEFT), TW_NAME(TWFA_CENTER), TW_NAME(TWFA_RIGHT), TW_NAME_END,
};
static_assert(ScannedRows(twfa_macros) == 4 && EndsWithSentinel(twfa_macros));

inline constexpr NameTableRow twfo_macros[] = {
    TW_NAME(TWFO_FIRSTPAGEFIRST),
    TW_NAME(TWFO_LASTPAGEFIRST),
    TW_NAME_END,
};
static_assert(ScannedRows(twfo_macros) == 2 && EndsWithSentinel(twfo_macros));

inline constexpr NameTableRow twps_macros[] = {
    TW_NAME(TWPS_EXTERNAL),
    TW_NAME(TWPS_BATTERY),
    TW_NAME_END,
};
static_assert(ScannedRows(twps_macros) == 2 && EndsWithSentinel(twps_macros));

inline constexpr NameTableRow twpr_macros[] = {
    TW_NAME(TWPR_IMPRINTERTOPBEFORE),
    TW_NAME(TWPR_IMPRINTERTOPAFTER),
    TW_NAME(TWPR_IMPRINTERBOTTOMBEFORE),
    TW_NAME(TWPR_IMPRINTERBOTTOMAFTER),
    TW_NAME(TWPR_ENDORSERTOPBEFORE),
    TW_NAME(TWPR_ENDORSERTOPAFTER),
    TW_NAME(TWPR_ENDORSERBOTTOMBEFORE),
    TW_NAME(TWPR_ENDORSERBOTTOMAFTER),
    TW_NAME_END,
};
static_assert(ScannedRows(twpr_macros) == 8 && EndsWithSentinel(twpr_macros));

inline constexpr NameTableRow twpm_macros[] = {
    TW_NAME(TWPM_SINGLESTRING),
    TW_NAME(TWPM_MULTISTRING),
    TW_NAME(TWPM_COMPOUNDSTRING),
    TW_NAME_END,
};
static_assert(ScannedRows(twpm_macros) == 3 && EndsWithSentinel(twpm_macros));

inline constexpr NameTableRow twbd_macros[] = {
    TW_NAME(TWBD_HORZ),     TW_NAME(TWBD_VERT), TW_NAME(TWBD_HORZVERT),
    TW_NAME(TWBD_VERTHORZ), TW_NAME_END,
};
static_assert(ScannedRows(twbd_macros) == 4 && EndsWithSentinel(twbd_macros));

inline constexpr NameTableRow twfl_macros[] = {
    TW_NAME(TWFL_NONE), TW_NAME(TWFL_OFF),    TW_NAME(TWFL_ON),
    TW_NAME(TWFL_AUTO), TW_NAME(TWFL_REDEYE), TW_NAME_END,
};
static_assert(ScannedRows(twfl_macros) == 5 && EndsWithSentinel(twfl_macros));

inline constexpr NameTableRow twfr_macros[] = {
    TW_NAME(TWFR_BOOK),
    TW_NAME(TWFR_FANFOLD),
    TW_NAME_END,
};
static_assert(ScannedRows(twfr_macros) == 2 && EndsWithSentinel(twfr_macros));

inline constexpr NameTableRow twif_macros[] = {
    TW_NAME(TWIF_NONE),     TW_NAME(TWIF_AUTO), TW_NAME(TWIF_LOWPASS),  TW_NAME(TWIF_BANDPASS),
    TW_NAME(TWIF_HIGHPASS), TW_NAME(TWIF_TEXT), TW_NAME(TWIF_FINELINE), TW_NAME_END,
};
static_assert(ScannedRows(twif_macros) == 7 && EndsWithSentinel(twif_macros));

inline constexpr NameTableRow twnf_macros[] = {
    TW_NAME(TWNF_NONE),         TW_NAME(TWNF_AUTO), TW_NAME(TWNF_LONEPIXEL),
    TW_NAME(TWNF_MAJORITYRULE), TW_NAME_END,
};
static_assert(ScannedRows(twnf_macros) == 4 && EndsWithSentinel(twnf_macros));

inline constexpr NameTableRow twov_macros[] = {
    TW_NAME(TWOV_NONE),      TW_NAME(TWOV_AUTO), TW_NAME(TWOV_TOPBOTTOM),
    TW_NAME(TWOV_LEFTRIGHT), TW_NAME(TWOV_ALL),  TW_NAME_END,
};
static_assert(ScannedRows(twov_macros) == 5 && EndsWithSentinel(twov_macros));

// Vendor value tables.

inline constexpr NameTableRow twvx_ui_macros[] = {
    TW_NAME(TWVX_UI_CONVENTIONAL),
    TW_NAME(TWVX_UI_ADVANCED),
    TW_NAME(TWVX_UI_EASY),
    TW_NAME(TWVX_UI_SIMPLE),
    TW_NAME(TWVX_UI_EASYUISUPPRESSED),
    TW_NAME(TWVX_UI_DOCUMENT),
    TW_NAME(TWVX_UI_EXTRALIDFILM),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_ui_macros) == 7 && EndsWithSentinel(twvx_ui_macros));

inline constexpr NameTableRow twvx_em_macros[] = {
    TW_NAME(TWVX_EM_NORMAL),
    TW_NAME(TWVX_EM_PREVIEW),
    TW_NAME(TWVX_EM_AUTO),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_em_macros) == 3 && EndsWithSentinel(twvx_em_macros));

inline constexpr NameTableRow twvx_gt_macros[] = {
    TW_NAME(TWVX_GT_NORMAL),
    TW_NAME(TWVX_GT_LINEAR),
    TW_NAME(TWVX_GT_PRESET),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_gt_macros) == 3 && EndsWithSentinel(twvx_gt_macros));

inline constexpr NameTableRow twvx_cc_macros[] = {
    TW_NAME(TWVX_CC_DEFAULT),
    TW_NAME(TWVX_CC_NONE),
    TW_NAME(TWVX_CC_PRESET),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_cc_macros) == 3 && EndsWithSentinel(twvx_cc_macros));

inline constexpr NameTableRow twvx_cl_macros[] = {
    TW_NAME(TWVX_CL_STANDARD),
    TW_NAME(TWVX_CL_DUMB),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_cl_macros) == 2 && EndsWithSentinel(twvx_cl_macros));

inline constexpr NameTableRow twvx_tpu_macros[] = {
    TW_NAME(TWVX_TPU_NONE),
    TW_NAME(TWVX_TPU_TYPE1),
    TW_NAME(TWVX_TPU_TYPE2),
    TW_NAME(TWVX_TPU_TYPE3),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_tpu_macros) == 4 && EndsWithSentinel(twvx_tpu_macros));

inline constexpr NameTableRow twvx_usm_macros[] = {
    TW_NAME(TWVX_USM_LOW),
    TW_NAME(TWVX_USM_MEDIUM),
    TW_NAME(TWVX_USM_HIGH),
    TW_NAME(TWVX_USM_CUSTOM),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_usm_macros) == 4 && EndsWithSentinel(twvx_usm_macros));

inline constexpr NameTableRow twvx_dscr_macros[] = {
    TW_NAME(TWVX_DSCR_COMMON), TW_NAME(TWVX_DSCR_85), TW_NAME(TWVX_DSCR_133),
    TW_NAME(TWVX_DSCR_175),    TW_NAME_END,
};
static_assert(ScannedRows(twvx_dscr_macros) == 4 && EndsWithSentinel(twvx_dscr_macros));

inline constexpr NameTableRow twvx_ta_macros[] = {
    TW_NAME(TWVX_TA_LENGTHWAYS),
    TW_NAME(TWVX_TA_SIDEWAYS),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_ta_macros) == 2 && EndsWithSentinel(twvx_ta_macros));

inline constexpr NameTableRow twvx_dr_macros[] = {
    TW_NAME(TWVX_DR_LOW),
    TW_NAME(TWVX_DR_MEDIUM),
    TW_NAME(TWVX_DR_HIGH),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_dr_macros) == 3 && EndsWithSentinel(twvx_dr_macros));

inline constexpr NameTableRow twvx_ice_macros[] = {
    TW_NAME(TWVX_ICE_LOW),
    TW_NAME(TWVX_ICE_HIGH),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_ice_macros) == 2 && EndsWithSentinel(twvx_ice_macros));

inline constexpr NameTableRow twvx_gr_macros[] = {
    TW_NAME(TWVX_GR_LOW),
    TW_NAME(TWVX_GR_MEDIUM),
    TW_NAME(TWVX_GR_HIGH),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_gr_macros) == 3 && EndsWithSentinel(twvx_gr_macros));

inline constexpr NameTableRow twvx_ht_macros[] = {
    TW_NAME(TWVX_HT_NOSET),
    TW_NAME(TWVX_HT_REFLECT),
    TW_NAME(TWVX_HT_35MMSTRIP),
    TW_NAME(TWVX_HT_BROWNIE),
    TW_NAME(TWVX_HT_35MMMOUNT),
    TW_NAME(TWVX_HT_40X50),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_ht_macros) == 6 && EndsWithSentinel(twvx_ht_macros));

inline constexpr NameTableRow twvx_fs_macros[] = {
    TW_NAME(TWVX_FS_NOSET),
    TW_NAME(TWVX_FS_60X45),
    TW_NAME(TWVX_FS_60X60),
    TW_NAME(TWVX_FS_60X70),
    TW_NAME(TWVX_FS_60X80),
    TW_NAME(TWVX_FS_60X90),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_fs_macros) == 6 && EndsWithSentinel(twvx_fs_macros));

inline constexpr NameTableRow twvx_af_macros[] = {
    TW_NAME(TWVX_AF_STRIP),
    TW_NAME(TWVX_AF_MOUNT),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_af_macros) == 2 && EndsWithSentinel(twvx_af_macros));

inline constexpr NameTableRow twvx_fet_macros[] = {
    TW_NAME(TWVX_FT_ADF),
    TW_NAME(TWVX_FT_MPF),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_fet_macros) == 2 && EndsWithSentinel(twvx_fet_macros));

inline constexpr NameTableRow twvx_li_macros[] = {
    TW_NAME(TWVX_LI_NORMAL),
    TW_NAME(TWVX_LI_EXTEND),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_li_macros) == 2 && EndsWithSentinel(twvx_li_macros));

inline constexpr NameTableRow twvx_autosizetype_macros[] = {
    TW_NAME(TWVX_AUTOSIZE_NORMAL),
    TW_NAME(TWVX_AUTOSIZE_LONG),
    TW_NAME_END,
};
static_assert(ScannedRows(twvx_autosizetype_macros) == 2 &&
              EndsWithSentinel(twvx_autosizetype_macros));

// One map row: a capability, the number of rows of its value table counting the final "ERROR!"
// row, and the table.
struct CapValueMapRow {
  uint32_t capability;
  int32_t rowCount;
  const NameTableRow* table;
};
#define TW_CAP_VALUES_END                                 \
  CapValueMapRow {                                        \
    0xFFFFFFFF, static_cast<int32_t>(0xFFFFFFFF), nullptr \
  }

// True when every row's count lands exactly on its table's "ERROR!" row: a count beyond the
// table stops compilation, one short of it lands on a named row.
template <size_t N>
constexpr bool RowCountsMatchTables(const CapValueMapRow (&map)[N]) {
  for (size_t i = 0; i + 1 < N; ++i) {
    const NameTableRow& last = map[i].table[map[i].rowCount - 1];
    if (last.value != -1 || last.name[0] != 'E' || last.name[6] != '\0') return false;
  }
  return map[N - 1].capability == 0xFFFFFFFF && map[N - 1].table == nullptr;
}

inline constexpr CapValueMapRow VALTOCAP[] = {
    {ICAP_BITDEPTHREDUCTION, 5, twbr_macros},
    {ICAP_BITORDER, 3, twbo_macros},
    {ICAP_COMPRESSION, 14, twcp_macros},
    {ICAP_FILTER, 10, twft_macros},
    {ICAP_IMAGEFILEFORMAT, 11, twff_macros},
    {ICAP_LIGHTPATH, 3, twlp_macros},
    {ICAP_LIGHTSOURCE, 8, twls_macros},
    {ICAP_ORIENTATION, 7, twor_macros},
    {ICAP_PIXELFLAVOR, 3, twpf_macros},
    {ICAP_PIXELTYPE, 10, twpt_macros},
    {ICAP_PLANARCHUNKY, 3, twpc_macros},
    {ICAP_SUPPORTEDSIZES, 59, twss_macros},
    {ICAP_XFERMECH, 4, twsx_macros},
    {ICAP_UNITS, 7, twun_macros},
    {CAP_DUPLEX, 4, twdx_macros},
    {CAP_JOBCONTROL, 6, twjc_macros},
    {ACAP_AUDIOFILEFORMAT, 5, twaf_macros},
    {CAP_ALARMS, 10, twal_macros},
    {CAP_CLEARBUFFERS, 4, twcb_macros},
    {CAP_DEVICEEVENT, 19, twde_macros},
    {CAP_FEEDERALIGNMENT, 5, twfa_macros},
    {CAP_FEEDERORDER, 3, twfo_macros},
    {CAP_POWERSUPPLY, 3, twps_macros},
    {CAP_PRINTER, 9, twpr_macros},
    {CAP_PRINTERMODE, 4, twpm_macros},
    {ICAP_BARCODESEARCHMODE, 5, twbd_macros},
    {ICAP_FLASHUSED2, 6, twfl_macros},
    {ICAP_FLIPROTATION, 3, twfr_macros},
    {ICAP_IMAGEFILTER, 8, twif_macros},
    {ICAP_NOISEFILTER, 5, twnf_macros},
    {ICAP_OVERSCAN, 6, twov_macros},
    TW_CAP_VALUES_END,
};
static_assert(std::size(VALTOCAP) == 31 + 1 && RowCountsMatchTables(VALTOCAP));

inline constexpr CapValueMapRow VALTOCAPVX[] = {
    {CAP_VX_UIMODE, 8, twvx_ui_macros},
    {ICAP_VX_FILMTYPE, 6, twvx_ft_macros},
    {ICAP_VX_EXPOSUREMODE, 4, twvx_em_macros},
    {ICAP_VX_LUT1, 3, twvx_pg_macros},
    {ICAP_VX_LUT2, 4, twvx_gt_macros},
    {ICAP_VX_COLORCORRECTION, 4, twvx_cc_macros},
    {CAP_VX_COMMANDLEVEL, 3, twvx_cl_macros},
    {CAP_VX_TPUTYPE, 5, twvx_tpu_macros},
    {ICAP_VX_UNSHARPMASKLEVEL, 5, twvx_usm_macros},
    {ICAP_VX_DESCREENINGLEVEL, 5, twvx_dscr_macros},
    {CAP_VX_TABLEARRANGEMENT, 3, twvx_ta_macros},
    {ICAP_VX_DUSTREMOVALLEVEL, 4, twvx_dr_macros},
    {ICAP_VX_DIGITALICELEVEL, 3, twvx_ice_macros},
    {ICAP_VX_GRAINREDUCTIONLEVEL, 4, twvx_gr_macros},
    {ICAP_VX_HOLDERTYPE, 7, twvx_ht_macros},
    {ICAP_VX_FILMSIZE, 7, twvx_fs_macros},
    {CAP_VX_AFLFILMTYPE, 3, twvx_af_macros},
    {CAP_VX_FEEDERTYPE, 3, twvx_fet_macros},
    {CAP_VX_LIDFILMTYPE, 3, twvx_li_macros},
    {ICAP_VX_AUTOSIZETYPE, 3, twvx_autosizetype_macros},
    TW_CAP_VALUES_END,
};
static_assert(std::size(VALTOCAPVX) == 20 + 1 && RowCountsMatchTables(VALTOCAPVX));

// The map row of `capability`: rows are searched in order up to the end row; null for none.
inline const CapValueMapRow* FindCapValues(const CapValueMapRow* map, uint32_t capability) {
  for (; map->capability != 0xFFFFFFFF; ++map) {
    if (map->capability == capability) return map;
  }
  return nullptr;
}

// The TWAIN 2.5 values of a standard value table, for the values its rows leave unnamed.
struct ValueTableSupplement {
  const NameTableRow* table;
  NameSupplement supplement;
};

inline constexpr ValueTableSupplement kValueTableSupplements[] = {
    {twpt_macros, twpt_supplement}, {twcp_macros, twcp_supplement}, {twff_macros, twff_supplement},
    {twbr_macros, twbr_supplement}, {twor_macros, twor_supplement}, {twss_macros, twss_supplement},
    {twsx_macros, twsx_supplement}, {twun_macros, twun_supplement}, {twpm_macros, twpm_supplement},
};

inline NameSupplement ValueSupplementOf(const NameTableRow* table) {
  for (const ValueTableSupplement& entry : kValueTableSupplements) {
    if (entry.table == table) return entry.supplement;
  }
  return NameSupplement{};
}
