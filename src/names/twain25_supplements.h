// Where the tables leave a standard value unnamed, a build for other data sources than the
// vendor's names it from the TWAIN 2.5 standard; the vendor's build keeps its log as it has
// always been, so there every supplement is empty.
#pragma once

#include "names/name_table.h"
#include "names/twain25_names.h"
#include "names/vendor_extensions.h"

template <size_t N>
constexpr NameSupplement Twain25Supplement(const NameTableRow (&rows)[N]) {
  return NameSupplement{rows, kVendorExtensions ? 0 : N - 1};
}

inline constexpr NameSupplement dg_supplement = Twain25Supplement(twain25_dg_macros);
inline constexpr NameSupplement dat_supplement = Twain25Supplement(twain25_dat_macros);
inline constexpr NameSupplement msg_supplement = Twain25Supplement(twain25_msg_macros);
// Capabilities of every kind, after both capability tables.
inline constexpr NameSupplement cap_supplement = Twain25Supplement(twain25_cap_macros);
inline constexpr NameSupplement twrc_supplement = Twain25Supplement(twain25_twrc_macros);
inline constexpr NameSupplement twcc_supplement = Twain25Supplement(twain25_twcc_macros);
inline constexpr NameSupplement twty_supplement = Twain25Supplement(twain25_twty_macros);
inline constexpr NameSupplement twpt_supplement = Twain25Supplement(twain25_twpt_macros);
inline constexpr NameSupplement twff_supplement = Twain25Supplement(twain25_twff_macros);
inline constexpr NameSupplement twcp_supplement = Twain25Supplement(twain25_twcp_macros);
inline constexpr NameSupplement twbr_supplement = Twain25Supplement(twain25_twbr_macros);
inline constexpr NameSupplement twor_supplement = Twain25Supplement(twain25_twor_macros);
inline constexpr NameSupplement twss_supplement = Twain25Supplement(twain25_twss_macros);
inline constexpr NameSupplement twsx_supplement = Twain25Supplement(twain25_twsx_macros);
inline constexpr NameSupplement twun_supplement = Twain25Supplement(twain25_twun_macros);
inline constexpr NameSupplement twpm_supplement = Twain25Supplement(twain25_twpm_macros);
// The 2.5 TWPF_ constants are printer font styles, not the pixel flavors that twpf_macros
// names, so they supplement no table; nor do the families that no table names here.
