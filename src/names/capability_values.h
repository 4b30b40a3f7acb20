// The value names of capabilities whose values are enumerated constants, and the two maps that
// lead from a capability to its value names: VALTOCAP for the standard capabilities (ids up to
// kVendorIdBase), VALTOCAPVX for the vendor's own (ids above).
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
static_assert(EndsWithSentinel(twbr_macros));

inline constexpr NameTableRow twbo_macros[] = {
    TW_NAME(TWBO_LSBFIRST),
    TW_NAME(TWBO_MSBFIRST),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twbo_macros));

inline constexpr NameTableRow twft_macros[] = {
    TW_NAME(TWFT_RED),   TW_NAME(TWFT_GREEN), TW_NAME(TWFT_BLUE),    TW_NAME(TWFT_NONE),
    TW_NAME(TWFT_WHITE), TW_NAME(TWFT_CYAN),  TW_NAME(TWFT_MAGENTA), TW_NAME(TWFT_YELLOW),
    TW_NAME(TWFT_BLACK), TW_NAME_END,
};
static_assert(EndsWithSentinel(twft_macros));

inline constexpr NameTableRow twlp_macros[] = {
    TW_NAME(TWLP_REFLECTIVE),
    TW_NAME(TWLP_TRANSMISSIVE),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twlp_macros));

inline constexpr NameTableRow twls_macros[] = {
    TW_NAME(TWLS_RED),   TW_NAME(TWLS_GREEN), TW_NAME(TWLS_BLUE), TW_NAME(TWLS_NONE),
    TW_NAME(TWLS_WHITE), TW_NAME(TWLS_UV),    TW_NAME(TWLS_IR),   TW_NAME_END,
};
static_assert(EndsWithSentinel(twls_macros));

inline constexpr NameTableRow twor_macros[] = {
    TW_NAME(TWOR_ROT0),     TW_NAME(TWOR_ROT90),     TW_NAME(TWOR_ROT180), TW_NAME(TWOR_ROT270),
    TW_NAME(TWOR_PORTRAIT), TW_NAME(TWOR_LANDSCAPE), TW_NAME_END,
};
static_assert(EndsWithSentinel(twor_macros));

inline constexpr NameTableRow twpf_macros[] = {
    TW_NAME(TWPF_CHOCOLATE),
    TW_NAME(TWPF_VANILLA),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twpf_macros));

inline constexpr NameTableRow twpc_macros[] = {
    TW_NAME(TWPC_CHUNKY),
    TW_NAME(TWPC_PLANAR),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twpc_macros));

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
static_assert(EndsWithSentinel(twss_macros));

inline constexpr NameTableRow twsx_macros[] = {
    TW_NAME(TWSX_NATIVE),
    TW_NAME(TWSX_FILE),
    TW_NAME(TWSX_MEMORY),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twsx_macros));

inline constexpr NameTableRow twun_macros[] = {
    TW_NAME(TWUN_INCHES), TW_NAME(TWUN_CENTIMETERS), TW_NAME(TWUN_PICAS), TW_NAME(TWUN_POINTS),
    TW_NAME(TWUN_TWIPS),  TW_NAME(TWUN_PIXELS),      TW_NAME_END,
};
static_assert(EndsWithSentinel(twun_macros));

inline constexpr NameTableRow twdx_macros[] = {
    TW_NAME(TWDX_NONE),
    TW_NAME(TWDX_1PASSDUPLEX),
    TW_NAME(TWDX_2PASSDUPLEX),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twdx_macros));

inline constexpr NameTableRow twjc_macros[] = {
    TW_NAME(TWJC_NONE), TW_NAME(TWJC_JSIC), TW_NAME(TWJC_JSIS),
    TW_NAME(TWJC_JSXC), TW_NAME(TWJC_JSXS), TW_NAME_END,
};
static_assert(EndsWithSentinel(twjc_macros));

inline constexpr NameTableRow twaf_macros[] = {
    TW_NAME(TWAF_WAV), TW_NAME(TWAF_AIFF), TW_NAME(TWAF_AU), TW_NAME(TWAF_SND), TW_NAME_END,
};
static_assert(EndsWithSentinel(twaf_macros));

inline constexpr NameTableRow twal_macros[] = {
    TW_NAME(TWAL_ALARM),         TW_NAME(TWAL_FEEDERERROR),
    TW_NAME(TWAL_FEEDERWARNING), TW_NAME(TWAL_BARCODE),
    TW_NAME(TWAL_DOUBLEFEED),    TW_NAME(TWAL_JAM),
    TW_NAME(TWAL_PATCHCODE),     TW_NAME(TWAL_POWER),
    TW_NAME(TWAL_SKEW),          TW_NAME_END,
};
static_assert(EndsWithSentinel(twal_macros));

inline constexpr NameTableRow twcb_macros[] = {
    TW_NAME(TWCB_AUTO),
    TW_NAME(TWCB_CLEAR),
    TW_NAME(TWCB_NOCLEAR),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twcb_macros));

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
static_assert(EndsWithSentinel(twde_macros));

inline constexpr NameTableRow twfa_macros[] = {
    TW_NAME(TWFA_NONE), TW_NAME(TWFA_LEFT), TW_NAME(TWFA_CENTER), TW_NAME(TWFA_RIGHT), TW_NAME_END,
};
static_assert(EndsWithSentinel(twfa_macros));

inline constexpr NameTableRow twfo_macros[] = {
    TW_NAME(TWFO_FIRSTPAGEFIRST),
    TW_NAME(TWFO_LASTPAGEFIRST),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twfo_macros));

inline constexpr NameTableRow twps_macros[] = {
    TW_NAME(TWPS_EXTERNAL),
    TW_NAME(TWPS_BATTERY),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twps_macros));

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
static_assert(EndsWithSentinel(twpr_macros));

inline constexpr NameTableRow twpm_macros[] = {
    TW_NAME(TWPM_SINGLESTRING),
    TW_NAME(TWPM_MULTISTRING),
    TW_NAME(TWPM_COMPOUNDSTRING),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twpm_macros));

inline constexpr NameTableRow twbd_macros[] = {
    TW_NAME(TWBD_HORZ),     TW_NAME(TWBD_VERT), TW_NAME(TWBD_HORZVERT),
    TW_NAME(TWBD_VERTHORZ), TW_NAME_END,
};
static_assert(EndsWithSentinel(twbd_macros));

inline constexpr NameTableRow twfl_macros[] = {
    TW_NAME(TWFL_NONE), TW_NAME(TWFL_OFF),    TW_NAME(TWFL_ON),
    TW_NAME(TWFL_AUTO), TW_NAME(TWFL_REDEYE), TW_NAME_END,
};
static_assert(EndsWithSentinel(twfl_macros));

inline constexpr NameTableRow twfr_macros[] = {
    TW_NAME(TWFR_BOOK),
    TW_NAME(TWFR_FANFOLD),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twfr_macros));

inline constexpr NameTableRow twif_macros[] = {
    TW_NAME(TWIF_NONE),     TW_NAME(TWIF_AUTO), TW_NAME(TWIF_LOWPASS),  TW_NAME(TWIF_BANDPASS),
    TW_NAME(TWIF_HIGHPASS), TW_NAME(TWIF_TEXT), TW_NAME(TWIF_FINELINE), TW_NAME_END,
};
static_assert(EndsWithSentinel(twif_macros));

inline constexpr NameTableRow twnf_macros[] = {
    TW_NAME(TWNF_NONE),         TW_NAME(TWNF_AUTO), TW_NAME(TWNF_LONEPIXEL),
    TW_NAME(TWNF_MAJORITYRULE), TW_NAME_END,
};
static_assert(EndsWithSentinel(twnf_macros));

inline constexpr NameTableRow twov_macros[] = {
    TW_NAME(TWOV_NONE),      TW_NAME(TWOV_AUTO), TW_NAME(TWOV_TOPBOTTOM),
    TW_NAME(TWOV_LEFTRIGHT), TW_NAME(TWOV_ALL),  TW_NAME_END,
};
static_assert(EndsWithSentinel(twov_macros));

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
static_assert(EndsWithSentinel(twvx_ui_macros));

inline constexpr NameTableRow twvx_em_macros[] = {
    TW_NAME(TWVX_EM_NORMAL),
    TW_NAME(TWVX_EM_PREVIEW),
    TW_NAME(TWVX_EM_AUTO),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_em_macros));

inline constexpr NameTableRow twvx_gt_macros[] = {
    TW_NAME(TWVX_GT_NORMAL),
    TW_NAME(TWVX_GT_LINEAR),
    TW_NAME(TWVX_GT_PRESET),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_gt_macros));

inline constexpr NameTableRow twvx_cc_macros[] = {
    TW_NAME(TWVX_CC_DEFAULT),
    TW_NAME(TWVX_CC_NONE),
    TW_NAME(TWVX_CC_PRESET),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_cc_macros));

inline constexpr NameTableRow twvx_cl_macros[] = {
    TW_NAME(TWVX_CL_STANDARD),
    TW_NAME(TWVX_CL_DUMB),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_cl_macros));

inline constexpr NameTableRow twvx_tpu_macros[] = {
    TW_NAME(TWVX_TPU_NONE),
    TW_NAME(TWVX_TPU_TYPE1),
    TW_NAME(TWVX_TPU_TYPE2),
    TW_NAME(TWVX_TPU_TYPE3),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_tpu_macros));

inline constexpr NameTableRow twvx_usm_macros[] = {
    TW_NAME(TWVX_USM_LOW),
    TW_NAME(TWVX_USM_MEDIUM),
    TW_NAME(TWVX_USM_HIGH),
    TW_NAME(TWVX_USM_CUSTOM),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_usm_macros));

inline constexpr NameTableRow twvx_dscr_macros[] = {
    TW_NAME(TWVX_DSCR_COMMON), TW_NAME(TWVX_DSCR_85), TW_NAME(TWVX_DSCR_133),
    TW_NAME(TWVX_DSCR_175),    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_dscr_macros));

inline constexpr NameTableRow twvx_ta_macros[] = {
    TW_NAME(TWVX_TA_LENGTHWAYS),
    TW_NAME(TWVX_TA_SIDEWAYS),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_ta_macros));

inline constexpr NameTableRow twvx_dr_macros[] = {
    TW_NAME(TWVX_DR_LOW),
    TW_NAME(TWVX_DR_MEDIUM),
    TW_NAME(TWVX_DR_HIGH),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_dr_macros));

inline constexpr NameTableRow twvx_ice_macros[] = {
    TW_NAME(TWVX_ICE_LOW),
    TW_NAME(TWVX_ICE_HIGH),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_ice_macros));

inline constexpr NameTableRow twvx_gr_macros[] = {
    TW_NAME(TWVX_GR_LOW),
    TW_NAME(TWVX_GR_MEDIUM),
    TW_NAME(TWVX_GR_HIGH),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_gr_macros));

inline constexpr NameTableRow twvx_ht_macros[] = {
    TW_NAME(TWVX_HT_NOSET),
    TW_NAME(TWVX_HT_REFLECT),
    TW_NAME(TWVX_HT_35MMSTRIP),
    TW_NAME(TWVX_HT_BROWNIE),
    TW_NAME(TWVX_HT_35MMMOUNT),
    TW_NAME(TWVX_HT_40X50),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_ht_macros));

inline constexpr NameTableRow twvx_fs_macros[] = {
    TW_NAME(TWVX_FS_NOSET),
    TW_NAME(TWVX_FS_60X45),
    TW_NAME(TWVX_FS_60X60),
    TW_NAME(TWVX_FS_60X70),
    TW_NAME(TWVX_FS_60X80),
    TW_NAME(TWVX_FS_60X90),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_fs_macros));

inline constexpr NameTableRow twvx_af_macros[] = {
    TW_NAME(TWVX_AF_STRIP),
    TW_NAME(TWVX_AF_MOUNT),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_af_macros));

inline constexpr NameTableRow twvx_fet_macros[] = {
    TW_NAME(TWVX_FT_ADF),
    TW_NAME(TWVX_FT_MPF),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_fet_macros));

inline constexpr NameTableRow twvx_li_macros[] = {
    TW_NAME(TWVX_LI_NORMAL),
    TW_NAME(TWVX_LI_EXTEND),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_li_macros));

inline constexpr NameTableRow twvx_autosizetype_macros[] = {
    TW_NAME(TWVX_AUTOSIZE_NORMAL),
    TW_NAME(TWVX_AUTOSIZE_LONG),
    TW_NAME_END,
};
static_assert(EndsWithSentinel(twvx_autosizetype_macros));

// One map row: a capability, the number of rows of its value table counting the final "ERROR!"
// row, and the table.
struct CapValueMapRow {
  uint32_t capability;
  int32_t rowCount;
  const NameTableRow* table;
};
// A row whose count is taken from the table itself.
#define TW_CAP_VALUES(capability, table)                      \
  CapValueMapRow {                                            \
    capability, static_cast<int32_t>(std::size(table)), table \
  }
#define TW_CAP_VALUES_END                                 \
  CapValueMapRow {                                        \
    0xFFFFFFFF, static_cast<int32_t>(0xFFFFFFFF), nullptr \
  }

// A map is searched up to its end row.
template <size_t N>
constexpr bool EndsWithMapEnd(const CapValueMapRow (&map)[N]) {
  return map[N - 1].capability == 0xFFFFFFFF && map[N - 1].table == nullptr;
}

inline constexpr CapValueMapRow VALTOCAP[] = {
    TW_CAP_VALUES(ICAP_BITDEPTHREDUCTION, twbr_macros),
    TW_CAP_VALUES(ICAP_BITORDER, twbo_macros),
    TW_CAP_VALUES(ICAP_COMPRESSION, twcp_macros),
    TW_CAP_VALUES(ICAP_FILTER, twft_macros),
    TW_CAP_VALUES(ICAP_IMAGEFILEFORMAT, twff_macros),
    TW_CAP_VALUES(ICAP_LIGHTPATH, twlp_macros),
    TW_CAP_VALUES(ICAP_LIGHTSOURCE, twls_macros),
    TW_CAP_VALUES(ICAP_ORIENTATION, twor_macros),
    TW_CAP_VALUES(ICAP_PIXELFLAVOR, twpf_macros),
    TW_CAP_VALUES(ICAP_PIXELTYPE, twpt_macros),
    TW_CAP_VALUES(ICAP_PLANARCHUNKY, twpc_macros),
    TW_CAP_VALUES(ICAP_SUPPORTEDSIZES, twss_macros),
    TW_CAP_VALUES(ICAP_XFERMECH, twsx_macros),
    TW_CAP_VALUES(ICAP_UNITS, twun_macros),
    TW_CAP_VALUES(CAP_DUPLEX, twdx_macros),
    TW_CAP_VALUES(CAP_JOBCONTROL, twjc_macros),
    TW_CAP_VALUES(ACAP_AUDIOFILEFORMAT, twaf_macros),
    TW_CAP_VALUES(CAP_ALARMS, twal_macros),
    TW_CAP_VALUES(CAP_CLEARBUFFERS, twcb_macros),
    TW_CAP_VALUES(CAP_DEVICEEVENT, twde_macros),
    TW_CAP_VALUES(CAP_FEEDERALIGNMENT, twfa_macros),
    TW_CAP_VALUES(CAP_FEEDERORDER, twfo_macros),
    TW_CAP_VALUES(CAP_POWERSUPPLY, twps_macros),
    TW_CAP_VALUES(CAP_PRINTER, twpr_macros),
    TW_CAP_VALUES(CAP_PRINTERMODE, twpm_macros),
    TW_CAP_VALUES(ICAP_BARCODESEARCHMODE, twbd_macros),
    TW_CAP_VALUES(ICAP_FLASHUSED2, twfl_macros),
    TW_CAP_VALUES(ICAP_FLIPROTATION, twfr_macros),
    TW_CAP_VALUES(ICAP_IMAGEFILTER, twif_macros),
    TW_CAP_VALUES(ICAP_NOISEFILTER, twnf_macros),
    TW_CAP_VALUES(ICAP_OVERSCAN, twov_macros),
    TW_CAP_VALUES_END,
};
static_assert(EndsWithMapEnd(VALTOCAP));

inline constexpr CapValueMapRow VALTOCAPVX[] = {
    TW_CAP_VALUES(CAP_VX_UIMODE, twvx_ui_macros),
    TW_CAP_VALUES(ICAP_VX_FILMTYPE, twvx_ft_macros),
    TW_CAP_VALUES(ICAP_VX_EXPOSUREMODE, twvx_em_macros),
    TW_CAP_VALUES(ICAP_VX_LUT1, twvx_pg_macros),
    TW_CAP_VALUES(ICAP_VX_LUT2, twvx_gt_macros),
    TW_CAP_VALUES(ICAP_VX_COLORCORRECTION, twvx_cc_macros),
    TW_CAP_VALUES(CAP_VX_COMMANDLEVEL, twvx_cl_macros),
    TW_CAP_VALUES(CAP_VX_TPUTYPE, twvx_tpu_macros),
    TW_CAP_VALUES(ICAP_VX_UNSHARPMASKLEVEL, twvx_usm_macros),
    TW_CAP_VALUES(ICAP_VX_DESCREENINGLEVEL, twvx_dscr_macros),
    TW_CAP_VALUES(CAP_VX_TABLEARRANGEMENT, twvx_ta_macros),
    TW_CAP_VALUES(ICAP_VX_DUSTREMOVALLEVEL, twvx_dr_macros),
    TW_CAP_VALUES(ICAP_VX_DIGITALICELEVEL, twvx_ice_macros),
    TW_CAP_VALUES(ICAP_VX_GRAINREDUCTIONLEVEL, twvx_gr_macros),
    TW_CAP_VALUES(ICAP_VX_HOLDERTYPE, twvx_ht_macros),
    TW_CAP_VALUES(ICAP_VX_FILMSIZE, twvx_fs_macros),
    TW_CAP_VALUES(CAP_VX_AFLFILMTYPE, twvx_af_macros),
    TW_CAP_VALUES(CAP_VX_FEEDERTYPE, twvx_fet_macros),
    TW_CAP_VALUES(CAP_VX_LIDFILMTYPE, twvx_li_macros),
    TW_CAP_VALUES(ICAP_VX_AUTOSIZETYPE, twvx_autosizetype_macros),
    TW_CAP_VALUES_END,
};
static_assert(EndsWithMapEnd(VALTOCAPVX));

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
