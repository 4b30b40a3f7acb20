#include "capability_table.h"

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

CapabilityEntry Resolution(TW_UINT16 cap) {
  std::vector<TW_UINT32> values;
  for (TW_UINT32 dpi : scanner_model::kResolutions) values.push_back(Fix32Bits(ToFix32(dpi)));
  return Choice(cap, values, Fix32Bits(ToFix32(scanner_model::kDefaultResolution)), TWTY_FIX32);
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
      Choice(ICAP_PIXELTYPE, {TWPT_BW, TWPT_GRAY, TWPT_RGB}, TWPT_RGB),
      Choice(ICAP_BITDEPTH, {BitDepthOf(TWPT_RGB)}, BitDepthOf(TWPT_RGB)),
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
