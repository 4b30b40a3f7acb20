#include "names/name_table.h"

#include <gtest/gtest.h>

#include "names/field_names.h"
#include "names/triplet_names.h"
#include "text/line_format.h"

namespace {

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
