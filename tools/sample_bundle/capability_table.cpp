#include "capability_table.h"

#include <cstdlib>
#include <cstring>

#include "common/twain_values.h"
#include "scanner_model.h"
#include "twaintrace/twain_vendor.h"

namespace {

constexpr TW_UINT32 kTrue = 1;
constexpr TW_UINT32 kFalse = 0;
constexpr TW_UINT32 kAllPages = 0xFFFF;  // TWTY_INT16 -1

CapabilityEntry ReadOnly(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 value) {
  return {cap, itemType, CapShape::kOneValue, Constraint::kReadOnly, {value}, value, value};
}

CapabilityEntry Switch(TW_UINT16 cap, TW_UINT32 value) {
  return {cap, TWTY_BOOL, CapShape::kOneValue, Constraint::kBoolean, {kFalse, kTrue}, value, value};
}

CapabilityEntry Choice(TW_UINT16 cap, std::vector<TW_UINT32> values, TW_UINT32 value,
                       TW_UINT16 itemType = TWTY_UINT16) {
  return {cap,   itemType, CapShape::kEnumeration, Constraint::kListed, std::move(values),
          value, value};
}

// Power-on settings, which the environment may change the way a scanner's control panel would:
// HALVERN_DEFAULT_PIXEL (bw, gray or rgb) and HALVERN_DEFAULT_DPI (an offered resolution). A
// value the scanner does not offer leaves its own setting.
TW_UINT16 DefaultPixelType() {
  const char* text = getenv("HALVERN_DEFAULT_PIXEL");
  if (text == nullptr) return TWPT_RGB;
  if (strcmp(text, "bw") == 0) return TWPT_BW;
  if (strcmp(text, "gray") == 0) return TWPT_GRAY;
  return TWPT_RGB;
}

TW_UINT32 DefaultResolution() {
  const char* text = getenv("HALVERN_DEFAULT_DPI");
  long dpi = text != nullptr ? strtol(text, nullptr, 10) : 0;
  for (TW_UINT32 offered : scanner_model::kResolutions) {
    if (dpi == static_cast<long>(offered)) return offered;
  }
  return scanner_model::kDefaultResolution;
}

CapabilityEntry Resolution(TW_UINT16 cap) {
  std::vector<TW_UINT32> values;
  for (TW_UINT32 dpi : scanner_model::kResolutions) values.push_back(Fix32Bits(ToFix32(dpi)));
  return Choice(cap, values, Fix32Bits(ToFix32(DefaultResolution())), TWTY_FIX32);
}

CapabilityEntry Brightness() {
  TW_UINT32 zero = Fix32Bits(ToFix32(0));
  return {ICAP_BRIGHTNESS,
          TWTY_FIX32,
          CapShape::kRange,
          Constraint::kRange,
          {Fix32Bits(ToFix32(-1000)), Fix32Bits(ToFix32(1000)), Fix32Bits(ToFix32(1))},
          zero,
          zero};
}

CapabilityEntry SupportedCaps(const std::vector<CapabilityEntry>& entries) {
  CapabilityEntry supported{CAP_SUPPORTEDCAPS,
                            TWTY_UINT16,
                            CapShape::kArray,
                            Constraint::kReadOnly,
                            {CAP_SUPPORTEDCAPS},
                            0,
                            0};
  for (const CapabilityEntry& entry : entries) supported.values.push_back(entry.cap);
  return supported;
}

}  // namespace

TW_UINT32 BitDepthOf(TW_UINT16 pixelType) {
  switch (pixelType) {
    case TWPT_BW:
      return 1;
    case TWPT_GRAY:
      return 8;
    default:
      return 24;
  }
}

std::vector<CapabilityEntry> HalvernCapabilities() {
  std::vector<CapabilityEntry> entries = {
      {CAP_XFERCOUNT,
       TWTY_INT16,
       CapShape::kOneValue,
       Constraint::kTransferCount,
       {},
       kAllPages,
       kAllPages},
      Switch(CAP_FEEDERENABLED, kFalse),
      ReadOnly(CAP_FEEDERLOADED, TWTY_BOOL, kTrue),
      Switch(CAP_DUPLEXENABLED, kFalse),
      Choice(ICAP_PIXELTYPE, {TWPT_BW, TWPT_GRAY, TWPT_RGB}, DefaultPixelType()),
      Choice(ICAP_BITDEPTH, {BitDepthOf(DefaultPixelType())}, BitDepthOf(DefaultPixelType())),
      Resolution(ICAP_XRESOLUTION),
      Resolution(ICAP_YRESOLUTION),
      Choice(ICAP_UNITS, {TWUN_INCHES}, TWUN_INCHES),
      Choice(ICAP_XFERMECH, {TWSX_NATIVE, TWSX_MEMORY}, TWSX_NATIVE),
      Choice(ICAP_COMPRESSION, {TWCP_NONE}, TWCP_NONE),
      Brightness(),
      Choice(ICAP_SUPPORTEDSIZES, {TWSS_A4, TWSS_USLETTER, TWSS_USLEGAL, TWSS_A5}, TWSS_A4),
      Choice(ICAP_ORIENTATION, {TWOR_PORTRAIT, TWOR_LANDSCAPE}, TWOR_PORTRAIT),
      ReadOnly(CAP_VX_VERSION, TWTY_UINT16, scanner_model::kVersion),
      ReadOnly(CAP_VX_FEEDERTYPE, TWTY_UINT16, TWVX_FT_ADF),
  };
  entries.insert(entries.begin(), SupportedCaps(entries));
  return entries;
}
