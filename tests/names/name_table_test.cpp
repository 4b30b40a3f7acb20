#include "names/name_table.h"

#include <gtest/gtest.h>

#include "names/field_names.h"
#include "names/triplet_names.h"
#include "text/line_format.h"

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
  // Field values keep their width: a 16-bit all-ones is no 32-bit one, nor the sentinel.
  EXPECT_STREQ(LookupName(twlg_macros, 65535, text), "ERROR!(65535)");
  EXPECT_STREQ(LookupName(twon_macros, 65535, text), "TWON_DONTCARE16");
  EXPECT_STREQ(LookupName(twon_macros, 0xFFFFFFFF, text), "TWON_DONTCARE32");
  EXPECT_STREQ(LookupName(twpt_macros, -1, text), "ERROR!(-1)");
}

// An index answers every key as a scan of its tables does, the first before the second (one
// table is given twice): each row's value, its neighbours, and values no row holds.
template <size_t N, size_t M, size_t K>
void ExpectIndexAgreesWithScans(const NameTableRow (&first)[N], const NameTableRow (&second)[M],
                                const NameIndex<K>& index) {
  char scanned[kMacroNameSize];
  char indexed[kMacroNameSize];
  auto expectKey = [&](int64_t key) {
    const char* name = FindName(first, N - 1, key);
    if (name == nullptr) name = LookupName(second, key, scanned);
    EXPECT_STREQ(LookupName(index, key, indexed), name) << key;
  };
  auto expectRows = [&](const NameTableRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      for (int64_t key : {rows[i].value - 1, rows[i].value, rows[i].value + 1}) expectKey(key);
    }
  };
  expectRows(first, N - 1);
  expectRows(second, M - 1);
  for (int64_t key : {INT64_MIN, int64_t{-2}, int64_t{-1}, int64_t{0}, int64_t{0xFFFF}, INT64_MAX})
    expectKey(key);
}

TEST(NameLookup, IndexesAgreeWithTheirTables) {
  constexpr NameTableRow kRepeats[] = {NameTableRow{"kLater", 9}, NameTableRow{"kFirstOfTwo", 4},
                                       NameTableRow{"kSecondOfTwo", 4},
                                       NameTableRow{"kNegative", -3}, TW_NAME_END};
  ExpectIndexAgreesWithScans(kRepeats, kRepeats, IndexByValue(kRepeats));
  ExpectIndexAgreesWithScans(twcc_macros, twcc_macros, twcc_index);
  ExpectIndexAgreesWithScans(twlg_macros, twlg_macros, twlg_index);
  ExpectIndexAgreesWithScans(twcy_macros, twcy_macros, twcy_index);
  // Capabilities: the general table's name first.
  constexpr NameTableRow kGeneral[] = {NameTableRow{"kGeneral", 4}, TW_NAME_END};
  constexpr NameTableRow kImage[] = {NameTableRow{"kImage", 4}, NameTableRow{"kImageOnly", 2},
                                     TW_NAME_END};
  ExpectIndexAgreesWithScans(kGeneral, kImage, IndexByValue(kGeneral, kImage));
  ExpectIndexAgreesWithScans(cap_macros, icap_macros, capability_index);
  ExpectIndexAgreesWithScans(cap_vx_macros, icap_vx_macros, capability_vx_index);
}

// A line may show several values no table names: each keeps its own text.
TEST(NameLookup, EachUnnamedValueOfALineShowsItsOwnText) {
  auto shown = [](int64_t value) {
    return ShownName([value](char* out) { return LookupName(twty_macros, value, out); });
  };
  char line[80];
  TW_FORMAT(line, sizeof(line), "[%s] [%s] [%s]", shown(77), shown(TWTY_UINT16), shown(-78));
  EXPECT_STREQ(line, "[ERROR!(77)] [TWTY_UINT16] [ERROR!(-78)]");
}

}  // namespace
