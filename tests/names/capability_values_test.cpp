// A capability's value is named through its own table: the first row of a shared value wins, a
// value its table lacks shows as "ERROR!(n)", and capabilities with numbers or capability ids as
// values show them as such.
#include "names/capability_values.h"

#include <gtest/gtest.h>

#include <string>

#include "analyzer/para_analyze.h"
#include "vendor_build.h"

namespace {

struct NamedValue {
  TW_UINT16 cap;
  TW_UINT16 value;
  const char* name;
};

// Shared values, gaps and aliases where the first row of a value is the one shown.
constexpr NamedValue kFirstRowWins[] = {
    {ICAP_ORIENTATION, 3, "TWOR_ROT270"},        {ICAP_SUPPORTEDSIZES, 1, "TWSS_A4LETTER"},
    {ICAP_SUPPORTEDSIZES, 2, "TWSS_B5LETTER"},   {ICAP_SUPPORTEDSIZES, 6, "TWSS_B4"},
    {ICAP_SUPPORTEDSIZES, 7, "TWSS_B6"},         {ICAP_SUPPORTEDSIZES, 12, "TWSS_B3"},
    {ICAP_SUPPORTEDSIZES, 8, "ERROR!(8)"},       {ICAP_SUPPORTEDSIZES, 54, "ERROR!(54)"},
    {ICAP_IMAGEFILTER, 3, "TWIF_BANDPASS"},      {0x1201, 2, "ERROR!(2)"},
    {ICAP_PIXELTYPE, 0xFFFF, "ERROR!(65535)"},   {CAP_XFERCOUNT, 5, "5"},
    {CAP_VX_PRODUCTNAME, 65535, "65535"},        {CAP_VX_VERSION, 0x0210, "2.10"},
    {CAP_SUPPORTEDCAPS, 0x1001, "CAP_CAPTION"},  {CAP_SUPPORTEDCAPS, 0x8043, "ICAP_VX_ADE"},
    {CAP_SUPPORTEDCAPS, 0x1234, "ERROR!(4660)"},
};

std::string ValueName(TW_UINT16 cap, TW_UINT16 value) {
  CParaAnalyze analyzer;
  char text[kMacroNameSize] = {};
  analyzer.ValToCap(cap, value, text);
  return text;
}

TEST(CapabilityValues, FirstRowOfAValueWinsAndOthersFallBack) {
  SKIP_UNLESS_VENDOR_BUILD();
  for (const NamedValue& row : kFirstRowWins) {
    SCOPED_TRACE(row.cap);
    EXPECT_EQ(ValueName(row.cap, row.value), row.name);
  }
}

}  // namespace
