// The field tables as the formatters look them up: the first row of a value wins, and a value
// without a row is "ERROR!(n)".
#include "names/field_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
  const NameTableRow* rows;
  size_t rowCount;
  int64_t value;
  const char* name;
};

#define ROWS(table) table, ScannedRows(table)

const Case kCases[] = {
    {ROWS(twlg_macros), 0, "TWLG_DAN"},
    {ROWS(twlg_macros), 13, "TWLG_USA"},
    {ROWS(twlg_macros), 14, "TWLG_AFRIKAANS"},
    {ROWS(twlg_macros), 113, "TWLG_VIETNAMESE"},
    {ROWS(twlg_macros), 65535, "ERROR!(65535)"},  // an unsigned field never meets -1
    {ROWS(twcy_macros), 27, "TWCY_ANDORRA"},
    {ROWS(twcy_macros), 39, "TWCY_ITALY"},
    {ROWS(twcy_macros), 7, "TWCY_USSR"},
    {ROWS(twcy_macros), 8016, "TWCY_TOBAGO"},
    {ROWS(twon_macros), 1, "TWON_PROTOCOLMAJOR"},
    {ROWS(twon_macros), 9, "TWON_PROTOCOLMINOR"},
    {ROWS(twon_macros), 255, "TWON_DONTCARE8"},
    {ROWS(twon_macros), 65535, "TWON_DONTCARE16"},
    {ROWS(twon_macros), 0xFFFFFFFF, "TWON_DONTCARE32"},
    {ROWS(twon_macros), 7, "ERROR!(7)"},
    {ROWS(twty_macros), 12, "TWTY_STR255"},
    {ROWS(twty_macros), 13, "ERROR!(13)"},
    {ROWS(twcc_macros), 8, "ERROR!(8)"},
    {ROWS(twcc_macros), 24, "ERROR!(24)"},
    {ROWS(twcc_macros), 0x8000, "TWCC_CUSTOMBASE"},
    {ROWS(twpt_macros), -1, "ERROR!(-1)"},  // the signed pixel type of TW_IMAGEINFO
    {ROWS(twcp_macros), 12, "TWCP_BITFIELDS"},
    {ROWS(twff_macros), 9, "TWFF_EXIF"},
    {ROWS(twvx_ft_macros), 5, "ERROR!(5)"},
    {ROWS(twvx_pg_macros), 1, "TWVX_PG_18"},
};

TEST(FieldNames, LookupTakesTheFirstRowOfAValue) {
  for (const Case& c : kCases) {
    char name[kMacroNameSize];
    EXPECT_EQ(std::string(LookupName(c.rows, c.rowCount, c.value, name)), c.name) << c.value;
  }
}

}  // namespace
