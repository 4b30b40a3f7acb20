// A capability's value is named through its own table: the first row of a shared value wins, a
// value its table lacks shows as "ERROR!(n)", and capabilities with numbers or capability ids as
// values show them as such. The vendor's build names its own extensions and leaves the TWAIN 2.5
// constants unnamed, exactly as its logs always were; a build for any other source does the
// opposite.
#include "names/capability_values.h"

#include <gtest/gtest.h>

#include <string>

#include "analyzer/para_analyze.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

struct NamedValue {
  TW_UINT16 cap;
  TW_UINT16 value;
  const char* vendors;           // the name in the vendor's build
  const char* others = nullptr;  // in the build for other sources; nullptr: not asked there
};

// Shared values, gaps and aliases where the first row of a value is the one shown; the vendor's
// values and capabilities; TWAIN 2.5 names, two of which share 11 (the first in the standard's
// list wins, as in every table). Supported capabilities' ids: the item lists' expected dump.
constexpr NamedValue kValues[] = {
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
    {ICAP_PIXELTYPE, 0xFFFF, "ERROR!(65535)"},
    {CAP_XFERCOUNT, 5, "5"},
    {CAP_VX_PRODUCTNAME, 65535, "65535"},
    {CAP_VX_VERSION, 0x0103, "1.3", "259"},
    {CAP_VX_UIMODE, TWVX_UI_EASY, "TWVX_UI_EASY", "2"},
    {CAP_SUPPORTEDCAPS, ICAP_VX_FILMTYPE, "ICAP_VX_FILMTYPE", "ERROR!(32771)"},
    {ICAP_PIXELTYPE, twain25::TWPT_SRGB, "ERROR!(10)", "TWPT_SRGB"},
    {ICAP_PIXELTYPE, 11, "ERROR!(11)", "TWPT_SCRGB"},
    {ICAP_PIXELTYPE, TWPT_RGB, "TWPT_RGB", "TWPT_RGB"},
    {ICAP_PIXELTYPE, 40, "ERROR!(40)", "ERROR!(40)"},
    {CAP_SUPPORTEDCAPS, twain25::ICAP_AUTOMATICCOLORENABLED, "ERROR!(4441)",
     "ICAP_AUTOMATICCOLORENABLED"}};

TEST(CapabilityValues, EachValueByItsCapabilitysTable) {
  CParaAnalyze analyzer;
  for (const NamedValue& row : kValues) {
    const char* name = kVendorExtensions ? row.vendors : row.others;
    if (name == nullptr) continue;
    char text[kMacroNameSize] = {};
    analyzer.ValToCap(row.cap, row.value, text);
    EXPECT_STREQ(text, name) << "capability " << row.cap << ", value " << row.value;
  }
}

}  // namespace
